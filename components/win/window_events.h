// What every window component shares, the form included: the mouse, key,
// focus and geometry events, the Color work point and the tooltip hookup.
#pragma once
#include <windows.h>

#include "components/win/hint_manager.h"
#include "runtime/link.h"
#include "toolkit/control_win.h"

class TKestoWindowEvents : public toolkit::TControlListener {
 public:
  ~TKestoWindowEvents() override;

  TKesto_Event KeyDown, KeyUp, MouseDown, MouseMove, MouseUp, MouseWheel, MouseOver, MouseLeave,
      FocusIn, FocusOut, Moved, Resized, Shown;
  uint8_t MouseCapture = 0;

  // Work point: paints the background with ValueToInteger of the value.
  void Color(TData& data, uint16_t index);

  toolkit::TControl* Control() const { return control_; }
  // Gives the control its tooltip when Hint is not empty.
  void HookHint(const std::string& hint);

 protected:
  // Fires the common events for a message; the message then goes on to the
  // control's own handling.
  void HandleCommon(UINT msg, WPARAM wp, LPARAM lp);
  virtual void OnMouseDown(int button);
  void OnDestroyed() override { destroyed_ = true; }
  // Hides and frees the control unless the system already destroyed it.
  void FreeControl();

  toolkit::TControl* control_ = nullptr;
  bool destroyed_ = false;

 private:
  void FireMouseOver();
  TToolRecord* tooltip_ = nullptr;
  TKestoHintManager* hints_ = nullptr;
  std::string hint_;
};
