#include "toolkit/gdi_win.h"

#include "toolkit/cp1251_win.h"

namespace toolkit {

COLORREF ResolveColor(uint32_t color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

static int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    int y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return y;
  }();
  return dpi;
}

int FontHeight(uint8_t size) { return (size * ScreenDpi() + 36) / -72; }

HFONT CreateFontFrom(const TFontRecord& font) {
  LOGFONTW lf{};
  lf.lfHeight = FontHeight(font.Size);
  lf.lfWeight = (font.Style & 1) ? FW_BOLD : FW_DONTCARE;
  lf.lfItalic = (font.Style & 2) != 0;
  lf.lfUnderline = (font.Style & 4) != 0;
  lf.lfStrikeOut = (font.Style & 8) != 0;
  lf.lfCharSet = font.Charset;
  std::wstring face = Widen(font.Name);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace toolkit
