// Base of every child-window component. The schema creates it with its
// parent, sets the properties, then calls Initialise, which creates the
// control (in the subclass) and applies them.
#pragma once
#include "components/win/window_events.h"

class TKestoWin : public TKestoWindowEvents {
 public:
  explicit TKestoWin(toolkit::TControl* parent);
  ~TKestoWin() override;

  toolkit::TControl* parent;
  std::string Name;
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  uint8_t Align = 0;
  int32_t TabOrder = 0;
  uint32_t Background;  // the parent's colour unless set
  uint8_t Ctl3D = 2;    // 0 sunken edge, 1 flat border, 2 the control's default
  std::string Hint;
  toolkit::TFontRecord Font;
  uint8_t ParentFont = 0;
  uint8_t Visible = 1;
  uint8_t Enabled = 1;
  int32_t Cursor = 0;
  uint8_t Flat = 0;
  uint8_t BorderKind = 0;  // with Ctl3D 0 only

  TKesto_Event KeyChar, ResizeWidth, ResizeHeight;

  virtual void Initialise();
  void HookHint() { TKestoWindowEvents::HookHint(Hint); }

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void ApplyBorder();
  void ConstrainSize(WINDOWPOS& pos);
};
