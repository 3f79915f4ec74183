#include "components/win/hint_manager.h"

#include "toolkit/cp1251_win.h"

TKestoHintManager* HintManager = nullptr;

namespace {

// The tool record keeps its text; the control's Hint outlives the tooltip,
// but the UTF-16 copy has to live somewhere too. It keeps the tooltip's font
// as well: when the control's window goes first it takes the tooltip window
// with it, and the font could no longer be asked for.
struct ToolRecord : TToolRecord {
  std::wstring text;
  HFONT font = nullptr;
};

HWND TipWindow(TToolRecord* tool) { return reinterpret_cast<HWND>(tool->lParam); }

TToolRecord* AddWindow(TKestoHintManager* m, HWND control) {
  auto* tool = new ToolRecord{};
  tool->cbSize = TTTOOLINFOW_V2_SIZE;
  tool->uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
  tool->hwnd = control;
  tool->uId = reinterpret_cast<UINT_PTR>(control);
  DWORD style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | (m->Rectangular == 0 ? TTS_BALLOON : 0);
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  tool->font = toolkit::CreateFontFrom(m->Font);
  SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(tool->font), TRUE);
  SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(tool));
  SendMessageW(tip, TTM_SETTIPBKCOLOR, toolkit::ResolveColor(m->Font.Color), 0);
  SendMessageW(tip, TTM_SETTIPTEXTCOLOR, toolkit::ResolveColor(m->TextColor), 0);
  SendMessageW(tip, TTM_SETDELAYTIME, TTDT_INITIAL, m->InitialDelay);
  SendMessageW(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, m->AutoPopDelay);
  RECT margin{m->Margin, m->Margin, m->Margin, m->Margin};
  SendMessageW(tip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  tool->lParam = reinterpret_cast<LPARAM>(tip);
  return tool;
}

void Remove(TKestoHintManager*, TToolRecord* tool) {
  auto* record = static_cast<ToolRecord*>(tool);
  HWND tip = TipWindow(tool);
  if (IsWindow(tip)) {
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(tool));
    DestroyWindow(tip);
  }
  if (record->font) DeleteObject(record->font);
  delete record;
}

void SetText(TKestoHintManager*, TToolRecord* tool, const std::string& text) {
  auto* record = static_cast<ToolRecord*>(tool);
  record->text = toolkit::Widen(text);
  record->lpszText = record->text.data();
  SendMessageW(TipWindow(tool), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(tool));
}

void SetTitle(TKestoHintManager*, TToolRecord* tool, int icon, const std::string& title) {
  std::wstring w = toolkit::Widen(title);
  SendMessageW(TipWindow(tool), TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(w.c_str()));
}

void TrackOn(TKestoHintManager* m, TToolRecord* tool) {
  if (m->Tracking == 1) SendMessageW(TipWindow(tool), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(tool));
}

void TrackOff(TKestoHintManager* m, TToolRecord* tool) {
  if (m->Tracking == 1) SendMessageW(TipWindow(tool), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(tool));
}

void TrackPosition(TKestoHintManager* m, TToolRecord* tool, int x, int y) {
  if (m->Tracking == 1) SendMessageW(TipWindow(tool), TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
}

}  // namespace

TKestoHintManager::TKestoHintManager()
    : Operations(&kit_),
      kit_{&AddWindow, &Remove, &SetText, &SetTitle, &TrackOn, &TrackOff, &TrackPosition, this} {}

void CreateHintManager() {
  INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
  InitCommonControlsEx(&icc);
  if (!HintManager) HintManager = new TKestoHintManager;
}
