// Base of every child-window component. The schema creates it with its
// parent, sets the properties, then calls Initialise, which creates the
// control (in the subclass) and applies them.
#pragma once
#include "components/win/window_events.h"

class TKestoWin : public TKestoWindowEvents {
 public:
  // Background starts as the parent's colour.
  explicit TKestoWin(toolkit::TControl* parent);

  toolkit::TControl* parent;
  std::string Name;
  uint8_t Flat = 0;
  uint8_t BorderKind = 0;  // with Ctl3D 0 only

  TKesto_Event KeyChar, ResizeWidth, ResizeHeight;

  virtual void Initialise();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void ApplyBorder();
  void ConstrainSize(WINDOWPOS& pos);
  static int Constrain(const TKesto_Event& point, int requested, int current);
};
