// Message boxes answered from a helper thread the way a user would, and
// tooltips shown by hovering.
#include <thread>

#include "components/win/button.h"
#include "components/win/label.h"
#include "components/win/message.h"
#include "tests/controls/fixture.h"

namespace {

struct Seen {
  std::wstring caption, text;
  HWND owner = nullptr;
};

// Waits for the window thread's next message box, reads it, and presses
// `button` by posting the command its click would send.
std::thread Answer(int button, Seen& seen) {
  return std::thread([thread = GetCurrentThreadId(), button, &seen] {
    for (int tries = 0; tries < 1000; ++tries, Sleep(10)) {
      HWND box = nullptr;
      EnumThreadWindows(thread, [](HWND w, LPARAM found) -> BOOL {
        wchar_t name[16];
        GetClassNameW(w, name, 16);
        if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(w)) return TRUE;
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
      }, reinterpret_cast<LPARAM>(&box));
      if (!box) continue;
      seen.caption = WindowText(box);
      seen.owner = GetWindow(box, GW_OWNER);
      // The message is the box's longest static text.
      EnumChildWindows(box, [](HWND w, LPARAM out) -> BOOL {
        auto* text = reinterpret_cast<std::wstring*>(out);
        wchar_t name[16];
        GetClassNameW(w, name, 16);
        if (lstrcmpiW(name, L"Static") == 0 && WindowText(w).size() > text->size())
          *text = WindowText(w);
        return TRUE;
      }, reinterpret_cast<LPARAM>(&seen.text));
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
      return;
    }
  });
}

// Calls Message itself and notes when it returned: what runs after that
// was forwarded.
struct Journal {
  TKestoMessage* message;
  std::vector<std::string> lines;
  void Call(TData& d, uint16_t) {
    message->Message(d, 0);
    lines.push_back("returned");
  }
  void Result(TData& d, uint16_t) { lines.push_back("Result " + ValueToString(d)); }
  void Yes(TData&, uint16_t) { lines.push_back("Yes"); }
  void No(TData& d, uint16_t) { lines.push_back(d.Type() == dtNull ? "No" : "No, not NULL"); }
};

TEST_F(ControlsTest, YesNoAnsweredNoGivesSevenAtOnceAndNoAfterReturning) {
  TKestoMessage message;
  message.Text = "Запустить обновление?";
  message.Caption = "Обновление";
  message.Buttons = 2;
  Journal journal{&message, {}};
  message.Result = Link<&Journal::Result>(&journal);
  message.Yes = Link<&Journal::Yes>(&journal);
  message.No = Link<&Journal::No>(&journal);
  Seen seen;
  std::thread user = Answer(IDNO, seen);
  FireString(Link<&Journal::Call>(&journal), "the property wins over this");
  user.join();
  EXPECT_EQ(seen.caption, L"Обновление");
  EXPECT_EQ(seen.text, L"Запустить обновление?");
  EXPECT_EQ(seen.owner, Form());
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"Result 7", "returned", "No"}));
}

TEST_F(ControlsTest, WithoutTextTheBoxShowsTheValueItWasTriggeredWith) {
  TKestoMessage message;
  message.Caption = "ЧТО НОВОГО";
  Seen seen;
  std::thread user = Answer(IDOK, seen);
  FireInteger(Link<&TKestoMessage::Message>(&message), 42);
  user.join();
  EXPECT_EQ(seen.text, L"42");
  EXPECT_EQ(seen.caption, L"ЧТО НОВОГО");
}

TEST(MessageStyle, PropertiesOutsideTheirTablesMeanTheFirstRow) {
  TKestoMessage m;
  m.Buttons = 5, m.Icon = 4, m.DefaultButton = 2;
  EXPECT_EQ(m.Style(), unsigned{MB_ABORTRETRYIGNORE | MB_ICONASTERISK | MB_DEFBUTTON3});
  m.Buttons = 2, m.Icon = 2, m.DefaultButton = 1;
  EXPECT_EQ(m.Style(), unsigned{MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2});
  m.Buttons = 6, m.Icon = 5, m.DefaultButton = 200;
  EXPECT_EQ(m.Style(), unsigned{MB_OK});
}

// The tooltip windows whose tool is `control` (their owner is the form).
std::vector<HWND> TooltipsOf(HWND control) {
  std::pair<HWND, std::vector<HWND>> search{control, {}};
  EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(p);
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    wchar_t name[64];
    GetClassNameW(w, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 &&
        SendMessageW(w, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)) &&
        info.uId == reinterpret_cast<UINT_PTR>(s->first))
      s->second.push_back(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

TEST_F(ControlsTest, HoveringShowsTheHintAfterItsDelayAndAnEmptyHintMakesNoTooltip) {
  TKestoButton hinted(Parent());
  hinted.Hint = "Выбрать Цвет 1";
  HWND button = Place(hinted, 220, 25, 20, 20);
  hinted.HookHint();
  TKestoLabel plain(Parent());
  plain.HookHint();
  EXPECT_TRUE(TooltipsOf(Place(plain, 15, 25, 148, 20)).empty());

  std::vector<HWND> tips = TooltipsOf(button);
  ASSERT_EQ(tips.size(), 1u);
  wchar_t text[64] = {};
  TTTOOLINFOW info{TTTOOLINFOW_V2_SIZE, 0, button, reinterpret_cast<UINT_PTR>(button)};
  info.lpszText = text;
  SendMessageW(tips[0], TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"Выбрать Цвет 1");
  EXPECT_EQ(SendMessageW(tips[0], TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
  RECT r;
  GetWindowRect(button, &r);
  SetCursorPos(r.left + 10, r.top + 10);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  Pump(200);
  EXPECT_FALSE(IsWindowVisible(tips[0]));
  Pump(700);
  EXPECT_TRUE(IsWindowVisible(tips[0]));
}

}  // namespace
