// What every window component shares, the form included: the common
// properties, the mouse, key, focus and geometry events, the Color work
// point and the tooltip hookup.
#pragma once
#include <windows.h>

#include "components/win/hint_manager.h"
#include "runtime/link.h"
#include "toolkit/control_win.h"

class TKestoWindowEvents : public toolkit::TControlListener {
 public:
  ~TKestoWindowEvents() override;

  int32_t Left = 0, Top = 0, Width = 0, Height = 0;
  uint8_t Align = 0;
  int32_t TabOrder = 0;
  uint32_t Background = 0xFF00000F;
  uint8_t Ctl3D = 2;  // 0 sunken edge, 1 flat border, 2 the control's default
  std::string Hint;
  toolkit::TFontRecord Font;
  uint8_t ParentFont = 0;
  uint8_t Visible = 1;
  uint8_t Enabled = 1;
  int32_t Cursor = 0;

  TKesto_Event KeyDown, KeyUp, MouseDown, MouseMove, MouseUp, MouseWheel, MouseOver, MouseLeave,
      FocusIn, FocusOut, Moved, Resized, Shown;
  uint8_t MouseCapture = 0;

  // Work point: paints the background with ValueToInteger of the value.
  void Color(TData& data, uint16_t index);
  // Work point: enables the control for a non-zero value, disables it for 0,
  // so a schema can keep a button from starting what is already running.
  void Enable(TData& data, uint16_t index);

  toolkit::TControl* Control() const { return control_; }
  // Gives the control its tooltip when Hint is not empty.
  void HookHint();

 protected:
  // Fires the common events for a message; the message then goes on to the
  // control's own handling.
  void HandleCommon(UINT msg, WPARAM wp, LPARAM lp);
  virtual void OnMouseDown(int button);
  // The first steps of every initialisation: listen, colour, bounds,
  // enabled state, cursor.
  void ApplyCommon();

  // The control exists and the system has not destroyed its window.
  bool HasWindow() const { return control_ && !control_->Destroyed(); }

  toolkit::TControl* control_ = nullptr;

 private:
  void FireMouseOver();
  TToolRecord* tooltip_ = nullptr;
  TKestoHintManager* hints_ = nullptr;
};
