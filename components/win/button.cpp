#include "components/win/button.h"

#include <algorithm>
#include <vector>

#include "runtime/dispatch.h"

namespace {

// A plain window has no dialog manager to turn Enter into a press of its
// default button, so a message hook on the window thread does it for every
// registered default button. A control that wants Enter for itself says so
// through WM_GETDLGCODE, as it would in a dialog.
constexpr UINT kPressDefault = WM_APP + 0x2B1;
std::vector<HWND> g_default_buttons;
HHOOK g_hook = nullptr;

HWND DefaultButtonFor(HWND target) {
  HWND root = GetAncestor(target, GA_ROOT);
  for (HWND button : g_default_buttons)
    if (GetAncestor(button, GA_ROOT) == root && IsWindowEnabled(button) && IsWindowVisible(button))
      return button;
  return nullptr;
}

bool WantsEnter(const MSG& msg) {
  MSG probe = msg;
  return SendMessageW(msg.hwnd, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&probe)) &
         (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
}

LRESULT CALLBACK EnterHook(int code, WPARAM wp, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  if (code == HC_ACTION && wp == PM_REMOVE && msg->message == WM_KEYDOWN &&
      msg->wParam == VK_RETURN && msg->hwnd) {
    HWND button = DefaultButtonFor(msg->hwnd);
    if (button && !WantsEnter(*msg)) {
      // Pressed later from the queue: the hook must not run a whole event
      // chain (perhaps a modal box) inside the peek that called it.
      PostMessageW(button, kPressDefault, 0, 0);
      msg->message = WM_NULL;
    }
  }
  return CallNextHookEx(g_hook, code, wp, lp);
}

void RegisterDefault(HWND button) {
  g_default_buttons.push_back(button);
  if (!g_hook) g_hook = SetWindowsHookExW(WH_GETMESSAGE, &EnterHook, nullptr, GetCurrentThreadId());
}

void UnregisterDefault(HWND button) {
  g_default_buttons.erase(std::remove(g_default_buttons.begin(), g_default_buttons.end(), button),
                          g_default_buttons.end());
  if (g_default_buttons.empty() && g_hook) {
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
  }
}

}  // namespace

TKestoButton::~TKestoButton() {
  if (registered_) UnregisterDefault(registered_);
}

void TKestoButton::Initialise() {
  const DWORD kind = Default == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  control_ = new toolkit::TControl(parent, L"BUTTON", WS_CHILD | WS_VISIBLE | kind | BS_MULTILINE);
  control_->SetText(Caption);
  TKestoWin::Initialise();
  if (Default == 1 && control_->Handle()) {
    registered_ = control_->Handle();
    RegisterDefault(registered_);
  }
}

bool TKestoButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  const bool clicked = msg == toolkit::kReflected + WM_COMMAND && HIWORD(wp) == BN_CLICKED;
  if (clicked || msg == kPressDefault) {
    FireCopy(Click, Data);
    result = 0;
    return true;
  }
  return TKestoWin::OnMessage(msg, wp, lp, result);
}
