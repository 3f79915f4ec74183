// The spin button: two arrows that step a 32-bit position within Min..Max.
// It has no buddy window; Position reports every step.
#pragma once
#include "components/win/kesto_win.h"

class TKestoUpDown : public TKestoWin {
 public:
  using TKestoWin::TKestoWin;
  ~TKestoUpDown() override;

  TKesto_Event Position;  // fired with the new position on every step
  int32_t Min = 0, Max = 100;
  int32_t InitialPosition = 0;  // the property Position
  int32_t Increment = 1;
  uint8_t Vertical = 1;  // 0: horizontal arrows

  void Initialise() override;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  int class_number_ = 0;
};
