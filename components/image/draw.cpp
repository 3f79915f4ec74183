#include "components/image/draw.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/bitmap_win.h"
#include "toolkit/gdi_win.h"

namespace drawing {

static int X(int32_t point) { return static_cast<int16_t>(point & 0xFFFF); }
static int Y(int32_t point) { return static_cast<int16_t>((static_cast<uint32_t>(point) >> 16) & 0xFFFF); }

RECT ScaledCorners(int32_t point1, int32_t point2, bool point2IsSize, double scaleX, double scaleY) {
  int x1 = X(point1), y1 = Y(point1), x2 = X(point2), y2 = Y(point2);
  if (point2IsSize) {
    x2 += x1;
    y2 += y1;
  }
  return RECT{RoundToInteger(x1 * scaleX), RoundToInteger(y1 * scaleY), RoundToInteger(x2 * scaleX),
              RoundToInteger(y2 * scaleY)};
}

int ScaledPenWidth(int32_t penSize, double scaleX, double scaleY) {
  return RoundToInteger(penSize * ((scaleX + scaleY) / 2));
}

}  // namespace drawing

namespace {

double Ratio(int target, int screen) { return screen > 0 ? double(target) / screen : 1.0; }

}  // namespace

bool TKestoImg::OpenSurface(TData& data) {
  switch (TargetKind) {
    case 0:
      bitmap_ = PullBitmap(data, Target, nullptr);
      if (!bitmap_ || bitmap_->Empty()) return false;
      dc_ = bitmap_->Canvas();
      break;
    case 1:
      window_ = drawing::HandleFromInteger<HWND>(PullInteger(data, Target, 0));
      // GetDC(0) is the whole screen: a missing window must not paint over it.
      if (!window_) return false;
      dc_ = GetDC(window_);
      break;
    case 2:
      dc_ = drawing::HandleFromInteger<HDC>(PullInteger(data, Target, 0));
      break;
    default:
      return false;
  }
  if (!dc_) return false;
  HDC screen = GetDC(nullptr);
  scale_x_ = Ratio(GetDeviceCaps(dc_, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSX));
  scale_y_ = Ratio(GetDeviceCaps(dc_, LOGPIXELSY), GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return true;
}

void TKestoImg::CloseSurface() {
  if (window_ && dc_) ReleaseDC(window_, dc_);
  dc_ = nullptr;
  window_ = nullptr;
  bitmap_ = nullptr;
  scale_x_ = scale_y_ = 1;
}

void TKestoImg_Rectangle::Draw(TData& data, uint16_t) {
  // The reads below use the call's value up; Drawn gets it whole, chain included.
  const TData call = data;
  if (OpenSurface(data)) {
    int32_t p1 = PullInteger(data, Point1Source, Point1);
    int32_t p2 = PullInteger(data, Point2Source, Point2);
    int32_t cornerWidth = PullInteger(data, CornerWidthSource, CornerWidth);
    int32_t cornerHeight = PullInteger(data, CornerHeightSource, CornerHeight);
    HBRUSH brush = NoFill ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                          : CreateSolidBrush(toolkit::ResolveColor(
                                PullInteger(data, FillColorSource, static_cast<int32_t>(FillColor))));
    RECT r = drawing::ScaledCorners(p1, p2, Point2IsSize, scale_x_, scale_y_);
    COLORREF penColor = toolkit::ResolveColor(PullInteger(data, PenColorSource, static_cast<int32_t>(PenColor)));
    int32_t penSize = PullInteger(data, PenSizeSource, PenSize);
    HPEN pen = CreatePen(PS_SOLID, drawing::ScaledPenWidth(penSize, scale_x_, scale_y_), penColor);

    HGDIOBJ oldBrush = SelectObject(dc_, brush);
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    RoundRect(dc_, r.left, r.top, r.right, r.bottom, cornerWidth, cornerHeight);
    // Deleting objects that are still selected fails and leaks them, once per
    // paint; the context gets its own back first.
    SelectObject(dc_, oldPen);
    SelectObject(dc_, oldBrush);
    DeleteObject(pen);
    if (!NoFill) DeleteObject(brush);
  }
  CloseSurface();
  data = call;
  ForwardAsIs(data, Drawn);
}
