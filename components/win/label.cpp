#include "components/win/label.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/cp1251_win.h"

TKestoLabel::TKestoLabel(toolkit::TControl* parent_control) : TKestoWin(parent_control) {
  control_ = new toolkit::TControl(parent, L"STATIC", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOTIFY);
}

void TKestoLabel::SetAutoSize(uint8_t on) { auto_size_ = on; }

void TKestoLabel::SetAlignment(uint8_t alignment) {
  static const DWORD kStyles[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
  if (alignment > 2 || !control_) return;
  control_->ModifyStyle(SS_LEFT | SS_RIGHT | SS_CENTER, kStyles[alignment]);
  control_->Invalidate();
}

// The caption is the window's text from its creation on.
void TKestoLabel::Initialise() {
  control_->SetText(Caption);
  TKestoWin::Initialise();
  Fit(Caption);
}

void TKestoLabel::Text(TData& data, uint16_t) { Show(PullString(data, TextSource, std::string())); }

void TKestoLabel::Show(const std::string& text) {
  if (!HasWindow()) return;
  control_->SetText(text);
  Fit(text);
}

void TKestoLabel::Fit(const std::string& text) {
  if (auto_size_ != 1 || !HasWindow()) return;
  // The text's extent in the label's own font, plus whatever border the
  // label's styles give it.
  HWND w = control_->Handle();
  std::wstring wide = toolkit::Widen(text);
  RECT r{0, 0, 0, 0};
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, control_->FontHandle() ? static_cast<HGDIOBJ>(control_->FontHandle())
                                                        : GetStockObject(DEFAULT_GUI_FONT));
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(w, GWL_EXSTYLE)));
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  control_->Invalidate();
}

bool TKestoLabel::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == toolkit::kReflected + WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
    FireNull(Click);
    result = 0;
    return true;
  }
  return TKestoWin::OnMessage(msg, wp, lp, result);
}
