#include "toolkit/control_win.h"

#include <unordered_map>

#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"

namespace toolkit {

// The control of each window. Every message of every control looks it up,
// so it is kept here rather than as a window property, which under Wine
// costs a round trip to the server for each lookup. Window thread only.
static std::unordered_map<HWND, TControl*>& Controls() {
  static std::unordered_map<HWND, TControl*> controls;
  return controls;
}

const wchar_t* OwnWindowClass() {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"OstrelWindow";
    RegisterClassExW(&wc);
    return L"OstrelWindow";
  }();
  return name;
}

TControl::TControl(TControl* parent, const wchar_t* windowClass, DWORD style, DWORD exStyle)
    : parent_(parent), class_(windowClass), style_{(style | WS_CHILD) & ~WS_VISIBLE}, ex_style_{exStyle} {
  own_class_ = windowClass == OwnWindowClass();
  if (parent) color_ = parent->color_;
}

TControl::TControl(HWND owner, const std::string& caption, DWORD style, DWORD exStyle) {
  HWND hwnd = CreateWindowExW(exStyle, OwnWindowClass(), Widen(caption).c_str(),
                              style & ~WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  created_ = true;
  Attach(hwnd);
  own_class_ = true;
}

// Each change of a window's style is a round trip to the window server
// under Wine: one that changes nothing is not made.
static bool SetStyle(HWND hwnd, int which, DWORD style) {
  if (static_cast<DWORD>(GetWindowLongW(hwnd, which)) == style) return false;
  SetWindowLongW(hwnd, which, static_cast<LONG>(style));
  return true;
}

void TControl::Create() {
  if (created_) return;
  created_ = true;
  HWND hwnd = CreateWindowExW(ex_style_.value, class_, text_.c_str(), style_.value, left_, top_, width_, height_,
                              parent_ ? parent_->Handle() : nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  Attach(hwnd);
  if (!hwnd) return;
  // The style changes asked for are made again over what the control made
  // of its styles (see PendingStyle), and a control that sized itself
  // otherwise gets the size asked for.
  const DWORD made = GetWindowLongW(hwnd, GWL_STYLE), madeEx = GetWindowLongW(hwnd, GWL_EXSTYLE);
  const bool restyled =
      SetStyle(hwnd, GWL_STYLE, style_.Over(made)) | SetStyle(hwnd, GWL_EXSTYLE, ex_style_.Over(madeEx));
  RECT r;
  GetWindowRect(hwnd, &r);
  if (restyled || r.right - r.left != width_ || r.bottom - r.top != height_)
    SetWindowPos(hwnd, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (hfont_) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), FALSE);
}

TControl::~TControl() {
  listener_ = nullptr;
  if (hwnd_) DestroyWindow(hwnd_);
  if (brush_) DeleteObject(brush_);
  if (hfont_) DeleteObject(hfont_);
}

void TControl::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  if (!hwnd) return;
  Controls()[hwnd] = this;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

TControl* TControl::FromHandle(HWND hwnd) {
  auto found = Controls().find(hwnd);
  return found == Controls().end() ? nullptr : found->second;
}

LRESULT CALLBACK TControl::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TControl* control = FromHandle(hwnd);
  if (!control) return DefWindowProcW(hwnd, msg, wp, lp);
  // A C++ exception must not unwind through the system's frames: it ends
  // the message loop and is raised again after it.
  try {
    return control->Handle(msg, wp, lp);
  } catch (...) {
    AbortMessageLoop(std::current_exception());
    return 0;
  }
}

LRESULT TControl::CallPrevious(UINT msg, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(previous_, hwnd_, msg, wp, lp);
}

// Notifications that a child sends to its parent are offered to the child's
// own component first.
static bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  HWND child = nullptr;
  if (msg == WM_COMMAND || msg == WM_VSCROLL || msg == WM_HSCROLL) child = reinterpret_cast<HWND>(lp);
  if (msg == WM_NOTIFY) child = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
  TControl* control = TControl::FromHandle(child);
  return control && control->Reflected(msg, wp, lp, result);
}

bool TControl::Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  return listener_ && listener_->OnMessage(kReflected + msg, wp, lp, result);
}

LRESULT TControl::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = hwnd_;
  if (msg == WM_NCDESTROY) {
    WNDPROC previous = previous_;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    Controls().erase(hwnd);
    hwnd_ = nullptr;
    LRESULT r = CallWindowProcW(previous, hwnd, msg, wp, lp);
    if (listener_) listener_->OnDestroyed();
    return r;
  }
  LRESULT result = 0;
  if (listener_ && listener_->OnMessage(msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (lp && Reflect(msg, wp, lp, result)) return result;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (ColorChild(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), result)) return result;
      break;
    case WM_ERASEBKGND:
      if (own_class_) {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush_ ? brush_ : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      break;
    case WM_SETCURSOR:
      if (cursor_ && LOWORD(lp) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
      }
      break;
  }
  return CallWindowProcW(previous_, hwnd, msg, wp, lp);
}

bool TControl::ColorChild(HDC dc, HWND child, LRESULT& result) {
  TControl* control = FromHandle(child);
  if (!control || !control->brush_) return false;
  SetTextColor(dc, ResolveColor(control->font_.Color));
  SetBkColor(dc, ResolveColor(control->color_));
  result = reinterpret_cast<LRESULT>(control->brush_);
  return true;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left, top_ = top, width_ = width, height_ = height;
  if (hwnd_) SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetColor(uint32_t color) {
  color_ = color;
  HBRUSH old = brush_;
  brush_ = CreateSolidBrush(ResolveColor(color));
  if (old) DeleteObject(old);
  Invalidate();
}

void TControl::SetFont(const TFontRecord& font) {
  font_ = font;
  HFONT old = hfont_;
  hfont_ = CreateFontFrom(font);
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), Visible());
  if (old) DeleteObject(old);
}

void TControl::CopyFont(const TControl& from) { SetFont(from.font_); }

void TControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
  if (!created_) style_.Modify(WS_DISABLED, enabled ? 0 : WS_DISABLED);
}

void TControl::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  if (!created_) style_.Modify(WS_VISIBLE, visible ? WS_VISIBLE : 0);
}

void TControl::SetText(const std::string& text) {
  if (!created_) text_ = Widen(text);
  if (hwnd_) SetWindowTextW(hwnd_, Widen(text).c_str());
}

std::string TControl::Text() const {
  if (!created_) return Narrow(text_);
  int n = GetWindowTextLengthW(hwnd_);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd_, w.data(), n + 1);
  w.resize(static_cast<size_t>(n > 0 ? n : 0));
  return Narrow(w);
}

void TControl::ModifyStyle(DWORD remove, DWORD add) {
  if (!created_) style_.Modify(remove, add);
  if (hwnd_ && SetStyle(hwnd_, GWL_STYLE, (GetWindowLongW(hwnd_, GWL_STYLE) & ~remove) | add)) frame_changed_ = true;
}

void TControl::ModifyExStyle(DWORD remove, DWORD add) {
  if (!created_) ex_style_.Modify(remove, add);
  if (hwnd_ && SetStyle(hwnd_, GWL_EXSTYLE, (GetWindowLongW(hwnd_, GWL_EXSTYLE) & ~remove) | add))
    frame_changed_ = true;
}

void TControl::RefreshFrame() {
  if (!hwnd_ || !frame_changed_) return;
  frame_changed_ = false;
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER |
                   SWP_FRAMECHANGED);
}

// A window that is not on the screen is painted whole when it appears.
void TControl::Invalidate() {
  if (Visible()) InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace toolkit
