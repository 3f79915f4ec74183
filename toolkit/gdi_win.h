// Colours and fonts as the components describe them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace toolkit {

// 0x00BBGGRR; with the top bit set a system colour whose index is the low
// byte (the program writes them as 0xFF0000nn).
COLORREF ResolveColor(uint32_t color);

struct TFontRecord {
  std::string Name = "MS Sans Serif";
  uint8_t Size = 8;
  uint8_t Style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
  uint32_t Color = 0;
  uint8_t Charset = 1;
};

// Points to pixels: (Size * LOGPIXELSY + 36) / -72, truncating toward zero.
int FontHeight(uint8_t size);
HFONT CreateFontFrom(const TFontRecord& font);

}  // namespace toolkit
