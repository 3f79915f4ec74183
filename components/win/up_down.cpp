#include "components/win/up_down.h"

#include <commctrl.h>

#include "runtime/dispatch.h"
#include "runtime/startup.h"

// The component is also kept on its window, where the scroll notification
// names the window and not the component.
static const wchar_t kSelf[] = L"SELF_";

static int ClassNumber() {
  static const int number = NewClassNumber();
  return number;
}

TKestoUpDown::~TKestoUpDown() {
  if (HasWindow()) RemovePropW(control_->Handle(), kSelf);
}

void TKestoUpDown::Initialise() {
  class_number_ = ClassNumber();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  DWORD style = WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT;
  if (Vertical == 0) style |= UDS_HORZ;
  control_ = new toolkit::TControl(parent, UPDOWN_CLASSW, style);
  TKestoWin::Initialise();
  HWND w = control_->Handle();
  SetPropW(w, kSelf, this);
  SendMessageW(w, UDM_SETRANGE32, static_cast<WPARAM>(Min), static_cast<LPARAM>(Max));
  SendMessageW(w, UDM_SETPOS32, 0, static_cast<LPARAM>(InitialPosition));
  UDACCEL accel{0, static_cast<UINT>(Increment)};
  SendMessageW(w, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

// The parent's scroll notifications reach here through the toolkit. One
// press of an arrow reports each step; the release (SB_ENDSCROLL) reports
// nothing. The parent still handles the message as usual.
bool TKestoUpDown::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == toolkit::kReflected + WM_VSCROLL || msg == toolkit::kReflected + WM_HSCROLL) {
    HWND from = reinterpret_cast<HWND>(lp);
    auto* self = static_cast<TKestoUpDown*>(GetPropW(from, kSelf));
    if (self == this && class_number_ == ClassNumber() && LOWORD(wp) != SB_ENDSCROLL)
      FireInteger(Position, static_cast<int32_t>(SendMessageW(from, UDM_GETPOS32, 0, 0)));
    return false;
  }
  return TKestoWin::OnMessage(msg, wp, lp, result);
}
