// The progress bar over 0..Max.
#pragma once
#include "components/win/kesto_win.h"

class TKestoProgressBar : public TKestoWin {
 public:
  using TKestoWin::TKestoWin;

  int32_t Max = 100;
  uint8_t Vertical = 0;
  uint8_t Smooth = 0;
  uint32_t BarColor = 0xFF00000D;  // system colour 13, the highlight

  void Initialise() override;
  // Work point: the incoming value, or 0; the control clamps it to the range.
  void Position(TData& data, uint16_t index);
};
