#include "components/win/list_box.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/strlist.h"

// --- the family ---

int32_t TKestoWinList::InsertFirst(const std::string& text) {
  const std::string rest = control_->Text();
  control_->SetText(rest.empty() ? text : text + "\r\n" + rest);
  return 0;
}

void TKestoWinList::SetRedraw(bool on) {
  SendMessageW(control_->Handle(), WM_SETREDRAW, on, 0);
  if (on) InvalidateRect(control_->Handle(), nullptr, TRUE);
}

void TKestoWinList::LoadStrings() {
  SetRedraw(false);
  ClearItems();
  Reserve(Strings.size());
  if (!Strings.empty()) {
    TStrList lines;
    lines.SetText(Strings);
    for (const std::string& line : lines.Lines()) Append(line);
  }
  SetRedraw(true);
}

void TKestoWinList::Add(TData& data, uint16_t) {
  std::string text = PullString(data, Str, std::string());
  if (HasWindow()) {
    const int32_t i = AddAtTop == 1 ? InsertFirst(text) : Append(text);
    if (SelectAdded == 1 && i >= 0) SelectItem(i);
    TData item = PullValue(data, ItemData, nullptr);
    if (item.Type() == dtInteger && i >= 0) SetData(i, item.IntValue);
  }
  ForwardNull(data, Added);
}

void TKestoWinList::Array(TData& data, uint16_t) {
  if (!array_) {
    array_ = std::make_unique<TArrayInterface>();
    array_->Read = &ReadItem;
    array_->ReadInstance = this;
    array_->Count = &CountItems;
    array_->CountInstance = this;
    array_->Add = &AddItem;
    array_->AddInstance = this;
    array_->Write = &WriteItemAt;
    array_->WriteInstance = this;
  }
  SetArray(data, array_.get());
}

bool TKestoWinList::ReadItem(void* self, const TData& index, TData& out) {
  auto* list = static_cast<TKestoWinList*>(self);
  if (!list->HasWindow()) return false;
  const int32_t i = ValueToIndex(index);
  if (i < 0 || i >= list->Count()) return false;
  SetString(out, list->ItemText(i));
  return true;
}

int32_t TKestoWinList::CountItems(void* self) {
  auto* list = static_cast<TKestoWinList*>(self);
  return list->HasWindow() ? list->Count() : 0;
}

void TKestoWinList::AddItem(void* self, const TData& value) {
  auto* list = static_cast<TKestoWinList*>(self);
  if (list->HasWindow()) list->Append(ValueToString(value));
}

void TKestoWinList::WriteItemAt(void* self, const TData& index, const TData& value) {
  auto* list = static_cast<TKestoWinList*>(self);
  if (!list->HasWindow()) return;
  const int32_t i = ValueToIndex(index);
  if (i >= 0 && i < list->Count()) list->WriteItem(i, ValueToString(value));
}

void TKestoWinList::Clear(TData&, uint16_t) {
  if (HasWindow()) ClearItems();
}

void TKestoWinList::Select(TData& data, uint16_t) {
  if (HasWindow()) SelectItem(ValueToIndex(data));
}

void TKestoWinList::BeginUpdate(TData&, uint16_t) {
  if (HasWindow()) SetRedraw(false);
}

void TKestoWinList::EndUpdate(TData&, uint16_t) {
  if (HasWindow()) SetRedraw(true);
}

// --- list-box messages ---

LRESULT TKestoLWinList::Send(UINT msg, WPARAM wp, LPARAM lp) {
  return SendMessageW(control_->Handle(), msg, wp, lp);
}

DWORD TKestoLWinList::ListStyle() const {
  // Scroll bars appear only when the items need them; the horizontal one
  // is what the extent set in InitialiseList is for.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY;
  if (Sort == 1) style |= LBS_SORT;
  if (MultiSelect == 1) style |= LBS_EXTENDEDSEL;
  return style;
}

void TKestoLWinList::InitialiseList() {
  TKestoWin::Initialise();
  LoadStrings();
  Send(LB_SETHORIZONTALEXTENT, 200);
}

int32_t TKestoLWinList::Count() { return static_cast<int32_t>(Send(LB_GETCOUNT)); }

std::string TKestoLWinList::ItemText(int32_t i) {
  const LRESULT n = Send(LB_GETTEXTLEN, static_cast<WPARAM>(i));
  if (n == LB_ERR || i < 0) return std::string();
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = Send(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.data()));
  w.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return toolkit::Narrow(w);
}

int32_t TKestoLWinList::Append(const std::string& text) {
  const std::wstring w = toolkit::Widen(text);
  return static_cast<int32_t>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str())));
}

int32_t TKestoLWinList::InsertFirst(const std::string& text) {
  const std::wstring w = toolkit::Widen(text);
  return static_cast<int32_t>(Send(LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(w.c_str())));
}

void TKestoLWinList::SetData(int32_t i, int32_t value) {
  Send(LB_SETITEMDATA, static_cast<WPARAM>(i), value);
}

void TKestoLWinList::SelectItem(int32_t i) {
  if (MultiSelect == 1)
    Send(LB_SETSEL, i >= 0, i);  // -1 clears every selection
  else
    Send(LB_SETCURSEL, static_cast<WPARAM>(i));
}

void TKestoLWinList::ClearItems() { Send(LB_RESETCONTENT); }

void TKestoLWinList::Reserve(size_t bytes) {
  // The control keeps UTF-16 text: two bytes for each of ours.
  Send(LB_INITSTORAGE, 0, static_cast<LPARAM>(bytes * sizeof(wchar_t)));
}

void TKestoLWinList::WriteItem(int32_t i, const std::string& text) {
  // A list box cannot change an item's text in place: the item is replaced
  // at the same place, with its data and its selection.
  const LRESULT data = Send(LB_GETITEMDATA, static_cast<WPARAM>(i));
  const bool selected = Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0;
  const std::wstring w = toolkit::Widen(text);
  Send(LB_DELETESTRING, static_cast<WPARAM>(i));
  const LRESULT at = Send(LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(w.c_str()));
  if (at < 0) return;
  Send(LB_SETITEMDATA, static_cast<WPARAM>(at), data);
  if (selected) SelectItem(static_cast<int32_t>(at));
}

bool TKestoLWinList::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == toolkit::kReflected + WM_COMMAND) {
    if (HIWORD(wp) == LBN_SELCHANGE) {
      const int32_t i = static_cast<int32_t>(Send(LB_GETCURSEL));
      if (SelectAsText == 1)
        FireString(Click, ItemText(i));
      else
        FireInteger(Click, i);
    }
    return false;
  }
  return TKestoWinList::OnMessage(msg, wp, lp, result);
}

// --- the list box ---

void TKestoListBox::Initialise() {
  control_ = new toolkit::TControl(parent, L"LISTBOX", ListStyle());
  InitialiseList();
}
