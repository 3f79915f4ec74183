// The standard controls on a real form, driven by the messages a user's
// actions produce.
#include "components/win/button.h"
#include "components/win/edit.h"
#include "components/win/label.h"
#include "components/win/list_box.h"
#include "components/win/progress_bar.h"
#include "components/win/up_down.h"
#include "tests/controls/fixture.h"

static ::testing::Environment* const kForm = ::testing::AddGlobalTestEnvironment(new FormEnvironment);

namespace {

// A receiver that spoils whatever it is given.
struct Spoiler : Probe {
  void In(TData& d, uint16_t i) {
    Probe::In(d, i);
    SetString(d, "spoilt");
  }
};

TEST_F(ControlsTest, ButtonSendsItsOwnDataOnEveryClickAndDefaultTakesEnter) {
  TKestoButton button(Parent());
  button.Caption = "Создать дом из списка";
  button.Data = IntegerData(1);
  button.Default = 1;
  Spoiler clicks;
  button.Click = Link<&Spoiler::In>(&clicks);
  HWND w = Place(button, 10, 10, 175, 20);
  EXPECT_EQ(WindowText(w), L"Создать дом из списка");
  SendMessageW(w, BM_CLICK, 0, 0);
  SendMessageW(w, BM_CLICK, 0, 0);
  ASSERT_EQ(clicks.values.size(), 2u);
  EXPECT_EQ(clicks.values[1].Type(), dtInteger);
  EXPECT_EQ(clicks.values[1].IntValue, 1);

  // Enter in a box goes to the default button, unless the box takes Enter.
  TKestoEdit edit(Parent());
  edit.TextGetter = edit.OwnTextGetter();
  HWND box = Place(edit, 10, 40, 100, 20);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  Pump(30);
  EXPECT_EQ(clicks.values.size(), 3u);
  Probe entered;
  edit.Enter = Link<&Probe::In>(&entered);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  Pump(30);
  EXPECT_EQ(clicks.values.size(), 3u);
  EXPECT_EQ(entered.values.size(), 1u);
}

TEST_F(ControlsTest, LabelShowsItsSourceOrTheIncomingValueAndGrowsToFit) {
  TKestoLabel label(Parent());
  label.SetAutoSize(1);
  label.Caption = "-";
  HWND w = Place(label, 10, 10, 5, 5);
  EXPECT_EQ(WindowText(w), L"-");
  TData twelve = IntegerData(12);
  label.Text(twelve, 0);
  EXPECT_EQ(WindowText(w), L"12");
  RECT narrow, wide;
  GetWindowRect(w, &narrow);
  Source source;
  source.answer = StringData("Версия данных: 12, загружено полностью");
  label.TextSource = Link<&Source::Get>(&source);
  label.Text(twelve, 0);
  EXPECT_EQ(WindowText(w), L"Версия данных: 12, загружено полностью");
  GetWindowRect(w, &wide);
  EXPECT_GT(wide.right - wide.left, 3 * (narrow.right - narrow.left));
}

struct EditTest : ControlsTest {
  void SetUp() override {
    edit.InitialText = "5";
    edit.TextGetter = edit.OwnTextGetter();
    edit.Change = Link<&Probe::In>(&changes);
    box = Place(edit, 10, 10, 150, 20);
  }
  std::string Current() {
    TData d;
    edit.TextValue(d, 0);
    return d.StrValue;
  }
  DWORD Caret() {
    DWORD start = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return start;
  }
  TKestoEdit edit{FormEnvironment::form->Control()};
  HWND box = nullptr;
  Probe changes;
};

TEST_F(EditTest, TheInitialTextAndTheEnterEmptyingAreNoChangesTheUsersTypingIs) {
  EXPECT_TRUE(changes.values.empty());
  SendMessageW(box, EM_SETSEL, 1, 1);
  SendMessageW(box, WM_CHAR, L'ё', 1);
  ASSERT_EQ(changes.values.size(), 1u);
  EXPECT_EQ(changes.values[0].StrValue, "5ё");

  Probe entered, keys;
  edit.Enter = Link<&Probe::In>(&entered);
  edit.KeyDown = Link<&Probe::In>(&keys);
  SendMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_EQ(entered.values.size(), 1u);
  EXPECT_EQ(entered.values[0].StrValue, "5ё");
  EXPECT_EQ(Current(), "");
  EXPECT_TRUE(keys.values.empty());
  EXPECT_EQ(changes.values.size(), 1u);
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"дом"));
  ASSERT_EQ(changes.values.size(), 2u);
  EXPECT_EQ(changes.values[1].StrValue, "дом");
}

TEST_F(EditTest, TextKeepsTheCaretClampedAndTypingGoesOnPastTheBoxsWidth) {
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abcdef"));
  SendMessageW(box, EM_SETSEL, 3, 3);
  TData value = StringData("Темно-красный");
  edit.Text(value, 0);
  EXPECT_EQ(Current(), "Темно-красный");
  EXPECT_EQ(Caret(), 3u);
  value = IntegerData(7);
  edit.Text(value, 0);
  EXPECT_EQ(Caret(), 1u);
  for (int i = 0; i < 60; ++i) SendMessageW(box, WM_CHAR, L'Ш', 1);
  EXPECT_EQ(Current().size(), 61u);
}

struct ListTest : ControlsTest {
  void SetUp() override {
    list.Strings = "sources\\дом1.wgh\r\nsources\\дом2.wgh\r\nsources\\баня.wgh";
    list.Click = Link<&Probe::In>(&clicks);
    w = Place(list, 10, 10, 200, 150);
    TData d;
    list.Array(d, 0);
    array = static_cast<TArrayInterface*>(d.Pointer);
  }
  std::string Item(int i) {
    TData out;
    return array->Read(array->ReadInstance, IntegerData(i), out) ? out.StrValue : "(none)";
  }
  // LB_SETCURSEL alone notifies nobody: the user's click would.
  void UserSelects(int i) {
    SendMessageW(w, LB_SETCURSEL, i, 0);
    SendMessageW(Form(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(w));
  }
  TKestoListBox list{FormEnvironment::form->Control()};
  HWND w = nullptr;
  TArrayInterface* array = nullptr;
  Probe clicks;
};

TEST_F(ListTest, SelectionGivesTheIndexWhoseTextTheArrayReads) {
  UserSelects(2);
  UserSelects(0);
  ASSERT_EQ(clicks.values.size(), 2u);
  EXPECT_EQ(clicks.values[0].IntValue, 2);
  EXPECT_EQ(Item(clicks.values[0].IntValue), "sources\\баня.wgh");
  EXPECT_EQ(array->Count(array->CountInstance), 3);
  for (const TData& bad : {IntegerData(3), IntegerData(-1), StringData("x"), TData()}) {
    TData untouched = StringData("kept");
    EXPECT_FALSE(array->Read(array->ReadInstance, bad, untouched));
    EXPECT_EQ(untouched.StrValue, "kept");
  }
  list.SelectAsText = 1;
  UserSelects(1);
  EXPECT_EQ(clicks.values.back().StrValue, "sources\\дом2.wgh");
}

// Notes which value it got: the very one Add was given means Added was
// forwarded, not fired from inside Add.
struct Witness {
  const TData* seen = nullptr;
  void In(TData& d, uint16_t) { seen = d.Type() == dtNull ? &d : nullptr; }
};

TEST_F(ListTest, AddAtTopSelectsStoresDataAndForwardsAdded) {
  Witness added;
  list.Added = Link<&Witness::In>(&added);
  list.AddAtTop = 1;
  list.SelectAdded = 1;
  Source data;
  data.answer = IntegerData(42);
  list.ItemData = Link<&Source::Get>(&data);
  TData value = StringData("начало");
  FireEvent(Link<&TKestoWinList::Add>(&list), value);
  EXPECT_EQ(added.seen, &value);
  EXPECT_EQ(Item(0), "начало");
  EXPECT_EQ(SendMessageW(w, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(w, LB_GETITEMDATA, 0, 0), 42);
  array->Add(array->AddInstance, IntegerData(77));
  EXPECT_EQ(Item(4), "77");
  EXPECT_TRUE(clicks.values.empty());
}

struct SpinnerTest : ControlsTest {
  void SetUp() override {
    floors.InitialText = "5";
    Place(floors, 170, 115, 50, 20);
    spinner.Min = 1;
    spinner.Max = 101;
    spinner.InitialPosition = 5;
    w = Place(spinner, 220, 115, 20, 20);
    spinner.Position = Link<&Probe::In>(&steps);
  }
  // One press and release of an arrow of the control itself.
  void Press(bool up) {
    const LPARAM at = MAKELPARAM(10, up ? 4 : 16);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(w, WM_LBUTTONUP, 0, at);
  }
  TKestoEdit floors{FormEnvironment::form->Control()};
  TKestoUpDown spinner{FormEnvironment::form->Control()};
  HWND w = nullptr;
  Probe steps;
};

TEST_F(SpinnerTest, UpFromFiveShowsSixAndBothEndsHold) {
  Press(true);
  ASSERT_EQ(steps.values.size(), 1u);  // the release reports nothing
  EXPECT_EQ(steps.values[0].IntValue, 6);
  spinner.Position = Link<&TKestoEdit::Text>(&floors);
  Press(false);
  EXPECT_EQ(floors.Control()->Text(), "5");
  SendMessageW(w, UDM_SETPOS32, 0, 101);
  Press(true);
  EXPECT_EQ(floors.Control()->Text(), "101");
  SendMessageW(w, UDM_SETPOS32, 0, 1);
  Press(false);
  EXPECT_EQ(floors.Control()->Text(), "1");
}

TEST_F(ControlsTest, SpinnerStepsBeyondSixteenBitsByItsIncrement) {
  TKestoUpDown spinner(Parent());
  spinner.Max = 1000000;
  spinner.InitialPosition = 70000;
  spinner.Increment = 10;
  HWND w = Place(spinner, 10, 10, 20, 20);
  Probe steps;
  spinner.Position = Link<&Probe::In>(&steps);
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(10, 4));
  ASSERT_EQ(steps.values.size(), 1u);
  EXPECT_EQ(steps.values[0].IntValue, 70010);
}

TEST_F(ControlsTest, ProgressBarTakesTheIncomingValueClampedToItsRange) {
  TKestoProgressBar bar(Parent());
  bar.Max = 8;
  HWND w = Place(bar, 10, 170, 100, 10);
  const TKesto_Event position = Link<&TKestoProgressBar::Position>(&bar);
  for (auto [value, shown] : {std::pair<TData, int>{IntegerData(5), 5}, {StringData("20"), 8},
                              {IntegerData(-3), 0}, {IntegerData(4), 4}, {TData(), 0}}) {
    FireEvent(position, value);
    EXPECT_EQ(SendMessageW(w, PBM_GETPOS, 0, 0), shown);
  }
}

// A window made with its styles at once may change them as it is made (an
// edit box and a spinner drop WS_BORDER for borders of their own, a progress
// bar adds an edge, a spinner narrows): it still ends with the styles and
// the size asked for, as when they were set after it was made.
TEST_F(ControlsTest, StylesAndSizeAskedForOutliveTheMaking) {
  for (const wchar_t* windowClass : {L"EDIT", UPDOWN_CLASSW, PROGRESS_CLASSW}) {
    toolkit::TControl control(Parent(), windowClass, WS_VISIBLE);
    control.SetBounds(5, 5, 20, 20);
    control.ModifyStyle(0, WS_BORDER);
    control.ModifyExStyle(~DWORD{0}, 0);
    control.Create();
    RECT r;
    GetWindowRect(control.Handle(), &r);
    EXPECT_TRUE(GetWindowLongW(control.Handle(), GWL_STYLE) & WS_BORDER) << windowClass;
    EXPECT_EQ(GetWindowLongW(control.Handle(), GWL_EXSTYLE), 0) << windowClass;
    EXPECT_EQ(r.right - r.left, 20) << windowClass;
  }
}

}  // namespace
