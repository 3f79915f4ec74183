// The push button: every click sends a copy of Data.
#pragma once
#include "components/win/kesto_win.h"

class TKestoButton : public TKestoWin {
 public:
  using TKestoWin::TKestoWin;
  ~TKestoButton() override;

  TKesto_Event Click;
  TData Data;  // the value sent with every click; receivers get a copy
  std::string Caption;
  uint8_t Default = 0;  // 1: Enter pressed anywhere in the window presses it

  void Initialise() override;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  HWND registered_ = nullptr;  // as the default button; kept past the window's end
};
