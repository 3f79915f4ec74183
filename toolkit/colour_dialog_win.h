// The platform's colour chooser, one object per opening.
#pragma once
#include <windows.h>

#include <cstdint>

namespace toolkit {

class TColorDialog {
 public:
  TColorDialog();  // sixteen white custom colours

  HWND Owner = nullptr;
  uint32_t Color = 0;  // selected when the chooser opens; the confirmed one after
  // 0 opens with the custom colour part unfolded, 1 folded with the user free
  // to unfold it, 2 folded for good.
  uint8_t Mode = 0;
  COLORREF CustomColors[16];

  // Modal. True when the user confirmed; only then is Color replaced.
  bool Execute();
};

}  // namespace toolkit
