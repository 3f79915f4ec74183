#include "components/image/image.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/gdi_win.h"

namespace picture {

static int X(int32_t point) { return static_cast<int16_t>(point & 0xFFFF); }
static int Y(int32_t point) { return static_cast<int16_t>((static_cast<uint32_t>(point) >> 16) & 0xFFFF); }

toolkit::TArea Area(int32_t point1, int32_t point2, bool point2IsSize, int width, int height) {
  toolkit::TArea a{X(point1), Y(point1), width, height};
  if (point2 != 0) a.width = X(point2), a.height = Y(point2);
  if (!point2IsSize) a.width -= a.x, a.height -= a.y;
  return a;
}

// The products are taken in 64 bits: in 32 they would wrap for pictures of
// some ten thousand pixels a side and turn the fit upside down.
toolkit::TArea FitCentred(toolkit::TArea target, int sourceWidth, int sourceHeight) {
  const int64_t p = int64_t(sourceWidth) * target.height, q = int64_t(sourceHeight) * target.width;
  if (p > q) {
    const int height = int(q / sourceWidth);
    target.y += (target.height - height) / 2;
    target.height = height;
  } else {
    const int width = int(p / sourceHeight);
    target.x += (target.width - width) / 2;
    target.width = width;
  }
  return target;
}

}  // namespace picture

TKestoImageLoader::TKestoImageLoader() : decoder_(&TKestoImageLoader::Reported, this) {}

void TKestoImageLoader::Load(TData& data, uint16_t) {
  decoded_ = false;
  decoder_.Start(PullString(data, FileNameSource, FileName));
}

void TKestoImageLoader::Reported(void* self, toolkit::TDecodeOutcome outcome) {
  auto* loader = static_cast<TKestoImageLoader*>(self);
  if (outcome == toolkit::TDecodeOutcome::Missing) {
    FireNull(loader->Failed);
    return;
  }
  loader->decoded_ = true;
  FireNull(loader->Loaded);
  if (outcome == toolkit::TDecodeOutcome::Broken) FireNull(loader->Failed);
}

void TKestoImageLoader::Render(TData& data, uint16_t) {
  const int width = decoder_.Width(), height = decoder_.Height();
  if (!decoded_ || width <= 0 || height <= 0) return;
  const int32_t dest1 = PullInteger(data, DestPoint1Source, DestPoint1);
  const int32_t dest2 = PullInteger(data, DestPoint2Source, DestPoint2);
  const int32_t src1 = PullInteger(data, SrcPoint1Source, SrcPoint1);
  const int32_t src2 = PullInteger(data, SrcPoint2Source, SrcPoint2);
  const toolkit::TArea target = picture::Area(dest1, dest2, DestPoint2IsSize, width, height);
  const toolkit::TArea source = picture::Area(src1, src2, SrcPoint2IsSize, width, height);
  // A source without width or height has no proportions to keep (and the
  // fit would divide by zero).
  if (source.width == 0 || source.height == 0) return;
  TBitmap bitmap(target.width, target.height);
  decoder_.Draw(bitmap.Canvas(), picture::FitCentred(target, source.width, source.height), source);
  FireBitmap(Bitmap, &bitmap);
}

TKestoImage::TKestoImage(toolkit::TControl* parent_control) : TKestoWin(parent_control) {
  control_ = new toolkit::TControl(parent, toolkit::OwnWindowClass(), WS_CHILD | WS_VISIBLE);
}

void TKestoImage::Load(TData& data, uint16_t) {
  TBitmap* source = PullBitmap(data, Bitmap, nullptr);
  if (!source) return;
  bitmap_.Assign(*source);
  if (!HasWindow()) return;
  if (AutoSize && !bitmap_.Empty())
    SetWindowPos(control_->Handle(), nullptr, 0, 0, bitmap_.Width(), bitmap_.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(control_->Handle(), nullptr, FALSE);
}

void TKestoImage::Clear(TData&, uint16_t) {
  bitmap_.SetSize(0, 0);
  if (HasWindow()) InvalidateRect(control_->Handle(), nullptr, FALSE);
}

bool TKestoImage::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_ERASEBKGND) {  // the paint covers every pixel
    result = 1;
    return true;
  }
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    Paint(BeginPaint(control_->Handle(), &ps));
    EndPaint(control_->Handle(), &ps);
    result = 0;
    return true;
  }
  TKestoWin::OnMessage(msg, wp, lp, result);
  if (msg == WM_LBUTTONUP) FireNull(Click);
  return false;
}

// A bitmap larger than the control shows its middle part; the margins are
// then empty and are skipped (a reversed rectangle would be filled mirrored).
void TKestoImage::Paint(HDC dc) {
  RECT client;
  GetClientRect(control_->Handle(), &client);
  HBRUSH brush = CreateSolidBrush(toolkit::ResolveColor(control_->Color()));
  if (bitmap_.Empty()) {
    FillRect(dc, &client, brush);
  } else {
    const int w = bitmap_.Width(), h = bitmap_.Height();
    const int x = (client.right - w) / 2, y = (client.bottom - h) / 2;
    bitmap_.Draw(dc, x, y);
    const RECT margins[] = {{0, 0, client.right, y}, {0, y + h, client.right, client.bottom},
                            {0, y, x, y + h}, {x + w, y, client.right, y + h}};
    for (const RECT& margin : margins)
      if (margin.right > margin.left && margin.bottom > margin.top) FillRect(dc, &margin, brush);
  }
  DeleteObject(brush);
}
