#include "toolkit/app_win.h"

#include <atomic>

namespace toolkit {

TControl* ApplicationWindow = nullptr;
HWND MainFormHandle = nullptr;

static bool g_terminated = false;
static std::exception_ptr g_error;
// What worker threads read in SyncCall: never a pointer that the window
// thread may be freeing at the same moment.
static std::atomic<HWND> g_call_window{nullptr};

// The default close would destroy the windows but never end the loop. The
// main form's own close decides instead: it asks CanClose, fires Closed,
// stops dispatch, posts the quit and closes this window itself.
static bool HandCloseToMainForm(LRESULT& result) {
  TControl* form = TControl::FromHandle(MainFormHandle);
  if (!form) return false;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  result = 0;
  return true;
}

namespace {
class ApplicationListener : public TControlListener {
 public:
  bool OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) override {
    if (msg == WM_CLOSE) return HandCloseToMainForm(result);
    if (msg != kSyncCallMessage) return false;
    auto* call = reinterpret_cast<TSyncCall*>(lp);
    if (call && call->routine) call->routine(call->instance);
    result = 0;
    return true;
  }
};
ApplicationListener g_listener;
}  // namespace

TControl* EnsureApplicationWindow() {
  if (ApplicationWindow && !ApplicationWindow->Destroyed()) return ApplicationWindow;
  FreeApplicationWindow();  // closed with an earlier main form
  // A zero-sized popup with a caption: it carries the taskbar button for the
  // forms it owns.
  ApplicationWindow = new TControl(nullptr, "", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS |
                                                    WS_SYSMENU | WS_MINIMIZEBOX, 0);
  SetWindowPos(ApplicationWindow->Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplicationWindow->SetListener(&g_listener);
  g_call_window = ApplicationWindow->Handle();
  return ApplicationWindow;
}

void FreeApplicationWindow() {
  g_call_window = nullptr;
  delete ApplicationWindow;
  ApplicationWindow = nullptr;
}

void CloseApplicationWindow() {
  if (ApplicationWindow && !ApplicationWindow->Destroyed()) ApplicationWindow->CallPrevious(WM_CLOSE, 0, 0);
}

void SyncCall(TSyncCall& call) {
  // A window destroyed meanwhile answers nothing: the send fails and returns.
  if (HWND window = g_call_window) SendMessageW(window, kSyncCallMessage, 0, reinterpret_cast<LPARAM>(&call));
}

void AbortMessageLoop(std::exception_ptr error) {
  if (!g_error) g_error = error;
  g_terminated = true;
  PostQuitMessage(1);
}

static void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      g_terminated = true;
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void RunMessageLoop() {
  EnsureApplicationWindow();
  g_terminated = false;
  while (!g_terminated) {
    WaitMessage();
    Drain();
  }
  if (g_error) {
    std::exception_ptr error = g_error;
    g_error = nullptr;
    std::rethrow_exception(error);
  }
  FreeApplicationWindow();
}

}  // namespace toolkit
