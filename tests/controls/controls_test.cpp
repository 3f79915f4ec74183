// Buttons, labels, edit boxes, the list box, the spinner and the progress
// bar on a real form, driven by the messages a user's actions produce.
#include <windows.h>
#include <commctrl.h>

#include "components/win/button.h"
#include "components/win/edit.h"
#include "components/win/label.h"
#include "components/win/list_box.h"
#include "components/win/progress_bar.h"
#include "components/win/up_down.h"
#include "tests/controls/fixture.h"

// Registered before main runs, so the form stands before the first test.
static ::testing::Environment* const kForm = ::testing::AddGlobalTestEnvironment(new FormEnvironment);

namespace {

std::wstring WindowText(HWND w) {
  wchar_t buffer[256] = {};
  GetWindowTextW(w, buffer, 256);
  return buffer;
}

void Type(HWND edit, const wchar_t* text) {
  for (; *text; ++text) SendMessageW(edit, WM_CHAR, *text, 1);
}

DWORD Caret(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start;
}

// --- button ---

TEST_F(ControlsTest, ButtonSendsItsOwnDataOnEveryClickWhateverReceiversDo) {
  TKestoButton button(Parent());
  button.Caption = "Создать дом из списка";
  button.Data = IntegerData(1);
  Spoiler receiver;
  button.Click = Link<&Spoiler::In>(&receiver);
  Place(button, 10, 10, 175, 20);
  HWND w = button.Control()->Handle();
  EXPECT_EQ(WindowText(w), L"Создать дом из списка");
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & BS_MULTILINE);

  SendMessageW(w, BM_CLICK, 0, 0);
  SendMessageW(w, BM_CLICK, 0, 0);
  ASSERT_EQ(receiver.values.size(), 2u);
  for (const TData& v : receiver.values) {
    EXPECT_EQ(v.Type(), dtInteger);
    EXPECT_EQ(v.IntValue, 1);
  }
  EXPECT_EQ(button.Data.Type(), dtInteger);
}

TEST_F(ControlsTest, EnterPressesTheDefaultButtonUnlessTheFocusedBoxTakesIt) {
  TKestoButton button(Parent());
  button.Default = 1;
  Probe clicks;
  button.Click = Link<&Probe::In>(&clicks);
  Place(button, 10, 10, 100, 20);
  TKestoEdit edit(Parent());
  edit.TextGetter = edit.OwnTextGetter();
  Place(edit, 10, 40, 100, 20);
  HWND box = edit.Control()->Handle();
  EXPECT_TRUE(GetWindowLongW(button.Control()->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(clicks.values.size(), 1u);

  Probe entered;
  edit.Enter = Link<&Probe::In>(&entered);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(clicks.values.size(), 1u);
  EXPECT_EQ(entered.values.size(), 1u);
}

// --- label ---

TEST_F(ControlsTest, LabelShowsTheIncomingValueOrItsSourceAndGrowsToFit) {
  TKestoLabel label(Parent());
  label.SetAutoSize(1);
  label.SetAlignment(1);
  label.Caption = "-";
  Probe clicks;
  label.Click = Link<&Probe::In>(&clicks);
  Place(label, 10, 10, 5, 5);
  HWND w = label.Control()->Handle();
  EXPECT_EQ(WindowText(w), L"-");
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & 3, SS_RIGHT);

  TData value = IntegerData(12);
  label.Text(value, 0);
  EXPECT_EQ(WindowText(w), L"12");
  RECT narrow;
  GetWindowRect(w, &narrow);

  Source source;
  source.answer = StringData("Версия данных: 12, загружено полностью");
  label.TextSource = Link<&Source::Get>(&source);
  TData ignored = IntegerData(3);
  label.Text(ignored, 0);
  EXPECT_EQ(WindowText(w), L"Версия данных: 12, загружено полностью");
  RECT wide;
  GetWindowRect(w, &wide);
  EXPECT_GT(wide.right - wide.left, 3 * (narrow.right - narrow.left));
  EXPECT_GT(wide.bottom - wide.top, 5);

  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  ASSERT_GE(clicks.values.size(), 1u);
  EXPECT_EQ(clicks.values[0].Type(), dtNull);
}

// --- edit box ---

struct EditTest : ControlsTest {
  void Make(const std::string& text) {
    edit = std::make_unique<TKestoEdit>(Parent());
    edit->InitialText = text;
    edit->TextGetter = edit->OwnTextGetter();
    edit->Change = Link<&Probe::In>(&changes);
    Place(*edit, 10, 10, 150, 20);
    box = edit->Control()->Handle();
  }
  std::string Current() {
    TData d;
    edit->TextValue(d, 0);
    return d.StrValue;
  }
  std::unique_ptr<TKestoEdit> edit;
  HWND box = nullptr;
  Probe changes;
};

TEST_F(EditTest, TheInitialTextIsNotAChangeButTheUsersTypingIs) {
  Make("5");
  EXPECT_TRUE(changes.values.empty());
  EXPECT_EQ(Current(), "5");
  SendMessageW(box, EM_SETSEL, 1, 1);
  Type(box, L"0");
  ASSERT_EQ(changes.values.size(), 1u);
  EXPECT_EQ(changes.values[0].StrValue, "50");
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ё"));
  ASSERT_EQ(changes.values.size(), 2u);
  EXPECT_EQ(changes.values[1].StrValue, "50ё");
}

TEST_F(EditTest, TextWorkPointKeepsTheCaretClampedToTheNewText) {
  Make("abcdef");
  SendMessageW(box, EM_SETSEL, 3, 3);
  TData longer = StringData("Темно-красный");
  edit->Text(longer, 0);
  EXPECT_EQ(Current(), "Темно-красный");
  EXPECT_EQ(Caret(box), 3u);
  TData shorter = IntegerData(7);
  edit->Text(shorter, 0);
  EXPECT_EQ(Current(), "7");
  EXPECT_EQ(Caret(box), 1u);
  // A value longer than the box is wide arrives whole.
  const std::string long_text(300, 'w');
  TData wide = StringData(long_text);
  edit->Text(wide, 0);
  EXPECT_EQ(Current(), long_text);
  EXPECT_EQ(changes.values.size(), 3u);  // each replacement is a change
}

// Writes a text back into the box from inside its Enter event.
struct Replier {
  TKestoEdit* edit;
  void In(TData&, uint16_t) {
    TData d = StringData("ответ");
    edit->Text(d, 0);
  }
};

TEST_F(EditTest, EnterReportsTheTextAndEmptiesTheBoxUnlessTextRanMeanwhile) {
  Make("");
  Probe entered, keys;
  edit->Enter = Link<&Probe::In>(&entered);
  edit->KeyDown = Link<&Probe::In>(&keys);
  Type(box, L"дом");
  changes.values.clear();
  SendMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_EQ(entered.values.size(), 1u);
  EXPECT_EQ(entered.values[0].StrValue, "дом");
  EXPECT_EQ(Current(), "");
  EXPECT_TRUE(changes.values.empty());  // the emptying is silent
  EXPECT_TRUE(keys.values.empty());     // the key went nowhere else
  Type(box, L"x");
  EXPECT_EQ(changes.values.size(), 1u);  // but the next typing is reported

  Replier replier{edit.get()};
  edit->Enter = Link<&Replier::In>(&replier);
  SendMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(Current(), "ответ");
}

TEST_F(EditTest, AFailingGetterAnswersNullAndReportsNoChange) {
  Make("abc");
  edit->TextGetter = {};
  TData d = StringData("stale");
  edit->TextValue(d, 0);
  EXPECT_EQ(d.Type(), dtNull);
  Type(box, L"d");
  EXPECT_TRUE(changes.values.empty());
}

// --- list box ---

struct ListTest : ControlsTest {
  void Make(const std::string& strings) {
    list = std::make_unique<TKestoListBox>(Parent());
    list->Strings = strings;
    list->Click = Link<&Probe::In>(&clicks);
    Place(*list, 10, 10, 200, 150);
    w = list->Control()->Handle();
  }
  TArrayInterface* Array() {
    TData d;
    list->Array(d, 0);
    EXPECT_EQ(d.Type(), dtArray);
    return static_cast<TArrayInterface*>(d.Pointer);
  }
  // What the user's selection does: the control changes, then notifies.
  void UserSelects(int i) {
    SendMessageW(w, LB_SETCURSEL, i, 0);
    SendMessageW(Form(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(w), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(w));
  }
  std::unique_ptr<TKestoListBox> list;
  HWND w = nullptr;
  Probe clicks;
};

TEST_F(ListTest, InitialLinesAreReadBackThroughOneCachedArrayRecord) {
  Make("sources\\дом1.wgh\r\nsources\\дом2.wgh\r\nsources\\баня.wgh");
  TArrayInterface* a = Array();
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(Array(), a);
  EXPECT_EQ(a->Count(a->CountInstance), 3);
  TData item;
  EXPECT_TRUE(a->Read(a->ReadInstance, IntegerData(2), item));
  EXPECT_EQ(item.StrValue, "sources\\баня.wgh");
  EXPECT_TRUE(a->Read(a->ReadInstance, StringData("0"), item));
  EXPECT_EQ(item.StrValue, "sources\\дом1.wgh");
  for (const TData& bad : {IntegerData(3), IntegerData(-1), StringData("x"), TData()}) {
    TData untouched = StringData("kept");
    EXPECT_FALSE(a->Read(a->ReadInstance, bad, untouched));
    EXPECT_EQ(untouched.StrValue, "kept");
  }
  a->Add(a->AddInstance, IntegerData(77));
  a->Write(a->WriteInstance, IntegerData(0), StringData("первый"));
  a->Write(a->WriteInstance, IntegerData(9), StringData("nowhere"));
  EXPECT_EQ(a->Count(a->CountInstance), 4);
  a->Read(a->ReadInstance, IntegerData(3), item);
  EXPECT_EQ(item.StrValue, "77");
  a->Read(a->ReadInstance, IntegerData(0), item);
  EXPECT_EQ(item.StrValue, "первый");
}

TEST_F(ListTest, SelectionReportsTheIndexOrTheText) {
  Make("a\r\nб\r\nc");
  UserSelects(1);
  ASSERT_EQ(clicks.values.size(), 1u);
  EXPECT_EQ(clicks.values[0].Type(), dtInteger);
  EXPECT_EQ(clicks.values[0].IntValue, 1);
  list->SelectAsText = 1;
  UserSelects(1);
  ASSERT_EQ(clicks.values.size(), 2u);
  EXPECT_EQ(clicks.values[1].StrValue, "б");
  // Setting the selection by program reports nothing.
  SendMessageW(w, LB_SETCURSEL, 2, 0);
  Pump();
  EXPECT_EQ(clicks.values.size(), 2u);
}

// Records where its value lives: the very value Add received means the
// event was forwarded, not fired from inside Add.
struct Witness {
  const TData* seen = nullptr;
  uint8_t kind = 255;
  void In(TData& d, uint16_t) {
    seen = &d;
    kind = d.Kind;
  }
};

TEST_F(ListTest, AddPlacesTheItemThenForwardsAdded) {
  Make("");
  Witness added;
  list->Added = Link<&Witness::In>(&added);
  const TKesto_Event add = Link<&TKestoWinList::Add>(list.get());
  FireString(add, "конец");
  TData second = StringData("тоже конец");
  FireEvent(add, second);
  EXPECT_EQ(added.seen, &second);
  EXPECT_EQ(added.kind, dtNull);

  list->AddAtTop = 1;
  list->SelectAdded = 1;
  Source data;
  data.answer = IntegerData(42);
  list->ItemData = Link<&Source::Get>(&data);
  FireString(add, "начало");
  EXPECT_EQ(SendMessageW(w, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(w, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w, LB_GETITEMDATA, 0, 0), 42);
  TData item;
  TArrayInterface* a = Array();
  a->Read(a->ReadInstance, IntegerData(0), item);
  EXPECT_EQ(item.StrValue, "начало");
  a->Read(a->ReadInstance, IntegerData(2), item);
  EXPECT_EQ(item.StrValue, "тоже конец");
  EXPECT_TRUE(clicks.values.empty());
}

// --- up-down ---

struct SpinnerTest : ControlsTest {
  void Make(uint8_t vertical = 1, int32_t increment = 1) {
    spinner = std::make_unique<TKestoUpDown>(Parent());
    spinner->Min = 1;
    spinner->Max = 101;
    spinner->InitialPosition = 5;
    spinner->Vertical = vertical;
    spinner->Increment = increment;
    edit = std::make_unique<TKestoEdit>(Parent());
    edit->InitialText = "5";
    edit->TextGetter = edit->OwnTextGetter();
    Place(*edit, 170, 115, 50, 20);
    Place(*spinner, 220, 115, 20, 20);
    spinner->Position = Link<&Probe::In>(&steps);
    w = spinner->Control()->Handle();
  }
  // Presses and releases one arrow of the control itself.
  void Press(bool up) {
    const LPARAM at = spinner->Vertical ? MAKELPARAM(10, up ? 4 : 16) : MAKELPARAM(up ? 16 : 4, 10);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(w, WM_LBUTTONUP, 0, at);
  }
  int Shown() { return atoi(edit->Control()->Text().c_str()); }
  std::unique_ptr<TKestoEdit> edit;
  std::unique_ptr<TKestoUpDown> spinner;
  HWND w = nullptr;
  Probe steps;
};

TEST_F(SpinnerTest, UpArrowStepsFromFiveToSixIntoTheFloorCountBox) {
  Make();
  spinner->Position = Link<&TKestoEdit::Text>(edit.get());
  Press(true);
  EXPECT_EQ(Shown(), 6);
  EXPECT_EQ(SendMessageW(w, UDM_GETPOS32, 0, 0), 6);
  Press(false);
  Press(false);
  EXPECT_EQ(Shown(), 4);
}

TEST_F(SpinnerTest, OneEventPerStepAndThePositionStaysWithinTheRange) {
  Make();
  Press(true);
  ASSERT_EQ(steps.values.size(), 1u);  // the release reports nothing
  EXPECT_EQ(steps.values[0].IntValue, 6);
  SendMessageW(w, UDM_SETPOS32, 0, 101);
  Press(true);
  EXPECT_EQ(steps.values.back().IntValue, 101);
  SendMessageW(w, UDM_SETPOS32, 0, 1);
  Press(false);
  EXPECT_EQ(steps.values.back().IntValue, 1);
  EXPECT_EQ(SendMessageW(w, UDM_GETPOS32, 0, 0), 1);
}

TEST_F(SpinnerTest, HorizontalArrowsStepByTheIncrement) {
  Make(0, 3);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & UDS_HORZ);
  Press(true);
  ASSERT_EQ(steps.values.size(), 1u);
  EXPECT_EQ(steps.values[0].IntValue, 8);
}

TEST_F(SpinnerTest, TheRangeIsThirtyTwoBits) {
  spinner = std::make_unique<TKestoUpDown>(Parent());
  spinner->Min = -1000000;
  spinner->Max = 1000000;
  spinner->InitialPosition = 70000;
  Place(*spinner, 10, 10, 20, 20);
  spinner->Position = Link<&Probe::In>(&steps);
  w = spinner->Control()->Handle();
  Press(true);
  ASSERT_EQ(steps.values.size(), 1u);
  EXPECT_EQ(steps.values[0].IntValue, 70001);
}

// --- progress bar ---

TEST_F(ControlsTest, ProgressBarPositionIsClampedByTheControl) {
  TKestoProgressBar bar(Parent());
  bar.Max = 8;
  bar.BarColor = 0xFF000010;
  Place(bar, 10, 170, 100, 10);
  HWND w = bar.Control()->Handle();
  EXPECT_EQ(SendMessageW(w, PBM_GETRANGE, FALSE, 0), 8);
  const TKesto_Event position = Link<&TKestoProgressBar::Position>(&bar);
  FireInteger(position, 5);
  EXPECT_EQ(SendMessageW(w, PBM_GETPOS, 0, 0), 5);
  FireString(position, "20");
  EXPECT_EQ(SendMessageW(w, PBM_GETPOS, 0, 0), 8);
  FireInteger(position, -3);
  EXPECT_EQ(SendMessageW(w, PBM_GETPOS, 0, 0), 0);
  FireInteger(position, 4);
  FireNull(position);
  EXPECT_EQ(SendMessageW(w, PBM_GETPOS, 0, 0), 0);
}

}  // namespace
