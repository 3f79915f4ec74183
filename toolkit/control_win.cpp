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
    : parent_(parent) {
  HWND hwnd = CreateWindowExW(exStyle, windowClass, L"", (style | WS_CHILD) & ~WS_VISIBLE, 0, 0,
                              0, 0, parent ? parent->Handle() : nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  Attach(hwnd);
  own_class_ = windowClass == OwnWindowClass();
  if (parent) color_ = parent->color_;
}

TControl::TControl(HWND owner, const std::string& caption, DWORD style, DWORD exStyle) {
  HWND hwnd = CreateWindowExW(exStyle, OwnWindowClass(), Widen(caption).c_str(),
                              style & ~WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  Attach(hwnd);
  own_class_ = true;
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
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetColor(uint32_t color) {
  color_ = color;
  HBRUSH old = brush_;
  brush_ = CreateSolidBrush(ResolveColor(color));
  if (old) DeleteObject(old);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TControl::SetFont(const TFontRecord& font) {
  font_ = font;
  HFONT old = hfont_;
  hfont_ = CreateFontFrom(font);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_), TRUE);
  if (old) DeleteObject(old);
}

void TControl::CopyFont(const TControl& from) { SetFont(from.font_); }

void TControl::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void TControl::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

void TControl::SetText(const std::string& text) { SetWindowTextW(hwnd_, Widen(text).c_str()); }

std::string TControl::Text() const {
  int n = GetWindowTextLengthW(hwnd_);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd_, w.data(), n + 1);
  w.resize(static_cast<size_t>(n > 0 ? n : 0));
  return Narrow(w);
}

void TControl::ModifyStyle(DWORD remove, DWORD add) {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

void TControl::ModifyExStyle(DWORD remove, DWORD add) {
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

void TControl::RefreshFrame() {
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER |
                   SWP_FRAMECHANGED);
}

}  // namespace toolkit
