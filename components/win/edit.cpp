#include "components/win/edit.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"

void TKestoEdit::Initialise() {
  static const DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  // ES_AUTOHSCROLL: without it a single-line box refuses text wider than
  // itself, and a long value set through Text would come back cut short.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  if (Password == 1) style |= ES_PASSWORD;
  if (ReadOnly == 1) style |= ES_READONLY;
  if (Alignment <= 2) style |= kAlignments[Alignment];
  control_ = new toolkit::TControl(parent, L"EDIT", style);
  TKestoWin::Initialise();
  SetTextQuietly(InitialText);
}

// The box sends its change notification from inside the text change, so
// the flag has already swallowed it when the call returns; setting the flag
// once more covers a platform that sends none for an unchanged text, where
// the user's first real change would be lost instead.
void TKestoEdit::SetTextQuietly(const std::string& text) {
  initialised_ = false;
  control_->SetText(text);
  initialised_ = true;
}

bool TKestoEdit::ReadOwnText(void* self, TData& out) {
  auto* edit = static_cast<TKestoEdit*>(self);
  if (!edit->HasWindow()) return false;
  SetString(out, edit->control_->Text());
  return true;
}

bool TKestoEdit::GetText(TData& out) {
  return TextGetter.code && TextGetter.code(TextGetter.instance, out);
}

void TKestoEdit::Text(TData& data, uint16_t) {
  enter_pending_ = false;
  std::string text = PullString(data, Str, std::string());
  if (!HasWindow()) return;
  HWND w = control_->Handle();
  DWORD start = 0;
  SendMessageW(w, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  control_->SetText(text);
  // The control clamps a position beyond the new end.
  SendMessageW(w, EM_SETSEL, start, start);
}

void TKestoEdit::TextValue(TData& data, uint16_t) {
  if (!GetText(data)) SetNull(data);
}

void TKestoEdit::Changed() {
  if (initialised_) {
    TData text;
    if (GetText(text)) FireEvent(Change, text);
  }
  initialised_ = true;
}

void TKestoEdit::EnterPressed() {
  TData text;
  if (!GetText(text)) return;
  enter_pending_ = true;
  FireEvent(Enter, text);
  // A receiver that wrote a new text through Text has cleared the flag and
  // keeps its text; otherwise the box is emptied, silently.
  if (enter_pending_ && HasWindow()) SetTextQuietly(std::string());
}

bool TKestoEdit::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == toolkit::kReflected + WM_COMMAND) {
    if (HIWORD(wp) == EN_CHANGE) Changed();
    return false;
  }
  if (Enter.Linked()) {
    // With Enter linked the key is the box's own: it is taken, not passed on
    // to KeyDown, and neither is the character it would type.
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
      EnterPressed();
      result = 0;
      return true;
    }
    if (msg == WM_CHAR && wp == L'\r') {
      result = 0;
      return true;
    }
    if (msg == WM_GETDLGCODE && wp == VK_RETURN) {
      result = control_->CallPrevious(msg, wp, lp) | DLGC_WANTALLKEYS;
      return true;
    }
  }
  return TKestoWin::OnMessage(msg, wp, lp, result);
}
