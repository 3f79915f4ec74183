#include "components/win/simple_form.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "runtime/startup.h"
#include "toolkit/app_win.h"

void TKestoSimpleWin::Initialise() {
  ApplyCommon();
  if (Ctl3D == 0) control_->ModifyExStyle(0, WS_EX_CLIENTEDGE);
  if (!ParentFont) control_->SetFont(Font);
  // The form stays hidden until the start-up list shows it.
}

bool TKestoSimpleWin::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT&) {
  HandleCommon(msg, wp, lp);
  return false;
}

// Style bits replaced by a border style, and what each style sets.
static const DWORD kBorderStyleMask =
    WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
static const DWORD kBorderExMask =
    WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
static const struct {
  DWORD style, ex;
} kBorders[] = {
    {0, 0},
    {WS_CAPTION | WS_MINIMIZEBOX, 0},
    {WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
    {WS_CAPTION, WS_EX_WINDOWEDGE},
    {WS_CAPTION, WS_EX_TOOLWINDOW},
    {WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW},
    {0, WS_EX_DLGMODALFRAME},
    {WS_THICKFRAME, WS_EX_TOOLWINDOW},
    {0, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME},
    {WS_THICKFRAME, WS_EX_CLIENTEDGE},
};

TKestoSimpleForm::TKestoSimpleForm(void*) {
  toolkit::TControl* app = toolkit::EnsureApplicationWindow();
  control_ = new toolkit::TControl(app->Handle(), "Form",
                                   WS_OVERLAPPED | WS_CLIPCHILDREN | WS_SYSMENU | WS_CAPTION |
                                       WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                   0);
  control_->SetListener(this);
  if (!toolkit::MainFormHandle) toolkit::MainFormHandle = control_->Handle();
  AddToStartupList(&TKestoSimpleForm::Start, this);
}

void TKestoSimpleForm::SetCaption(const std::string& caption) {
  control_->SetText(caption);
  toolkit::ApplicationWindow->SetText(caption);
}

void TKestoSimpleForm::SetBorderStyle(uint8_t style) {
  if (style >= sizeof kBorders / sizeof kBorders[0]) return;
  control_->ModifyStyle(kBorderStyleMask, kBorders[style].style);
  control_->ModifyExStyle(kBorderExMask, kBorders[style].ex);
  control_->RefreshFrame();
}

void TKestoSimpleForm::SetIcon(HICON icon) {
  for (HWND w : {control_->Handle(), toolkit::ApplicationWindow->Handle()}) {
    SendMessageW(w, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

void TKestoSimpleForm::SetHideTaskbarButton(uint8_t hide) {
  if (hide == 1) toolkit::ApplicationWindow->ModifyExStyle(0, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME);
}

void TKestoSimpleForm::HookPaint(const TKesto_Event& link) { paint_ = link; }

void TKestoSimpleForm::Start(void* self) {
  auto* form = static_cast<TKestoSimpleForm*>(self);
  FireNull(form->Created);
  if (form->Visible && form->HasWindow()) ShowWindow(form->control_->Handle(), SW_SHOW);
}

void TKestoSimpleForm::OnMouseDown(int button) {
  if (DragByClient) {
    ReleaseCapture();
    SendMessageW(control_->Handle(), WM_SYSCOMMAND, 0xF012, 0);
  }
  TKestoSimpleWin::OnMouseDown(button);
}

// A close from the user (lParam 0) may be refused by CanClose. An accepted
// close fires Closed and then stops all dispatch before the loop ends.
bool TKestoSimpleForm::Close(LPARAM lp) {
  if (lp == 0 && AskInteger(CanClose) != 0) return true;
  FireNull(Closed);
  SwitchDispatchOff();
  ShowWindow(control_->Handle(), SW_HIDE);
  PostQuitMessage(0);
  toolkit::CloseApplicationWindow();
  return true;
}

void TKestoSimpleForm::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(control_->Handle(), &ps);
  // Device-context handles are 32-bit significant on Win64.
  FireInteger(paint_, static_cast<int32_t>(reinterpret_cast<intptr_t>(dc)));
  EndPaint(control_->Handle(), &ps);
}

bool TKestoSimpleForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  toolkit::TControl* app = toolkit::ApplicationWindow;
  switch (msg) {
    case WM_MOVE: {
      RECT r;
      GetWindowRect(control_->Handle(), &r);
      if (app) SetWindowPos(app->Handle(), nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case WM_SIZE: {
      RECT r, a;
      GetWindowRect(control_->Handle(), &r);
      if (app && GetWindowRect(app->Handle(), &a))
        SetWindowPos(app->Handle(), nullptr, 0, 0, r.right - r.left, a.bottom - a.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case WM_CLOSE:
      result = 0;
      return Close(lp);
    case WM_SYSCOMMAND:
      // An owned window would minimise to a stub above the taskbar; the
      // application window carries the taskbar button, so it minimises.
      if ((wp & 0xFFF0) == SC_MINIMIZE && app && app != control_) {
        ShowWindow(app->Handle(), SW_MINIMIZE);
        result = 0;
        return true;
      }
      break;
    case WM_PAINT:
      if (!paint_.Linked()) break;
      Paint();
      result = 0;
      return true;
  }
  return TKestoSimpleWin::OnMessage(msg, wp, lp, result);
}
