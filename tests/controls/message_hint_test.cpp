// Message boxes answered the way a user would, from a helper thread, and
// tooltips shown by hovering.
#include <windows.h>
#include <commctrl.h>

#include <thread>

#include "components/win/button.h"
#include "components/win/label.h"
#include "components/win/message.h"
#include "tests/controls/fixture.h"

namespace {

// What the user saw in the box.
struct Seen {
  bool found = false;
  std::wstring caption, text;
  HWND owner = nullptr;
};

BOOL CALLBACK FindBox(HWND w, LPARAM found) {
  wchar_t name[16];
  GetClassNameW(w, name, 16);
  if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

// The longest static text of the box is its message.
BOOL CALLBACK ReadText(HWND w, LPARAM seen) {
  wchar_t name[16], text[512] = {};
  GetClassNameW(w, name, 16);
  GetWindowTextW(w, text, 512);
  auto* out = reinterpret_cast<std::wstring*>(seen);
  if (lstrcmpiW(name, L"Static") == 0 && wcslen(text) > out->size()) *out = text;
  return TRUE;
}

// Waits for the window thread's next message box, reads it, and presses
// `button` by posting the command a click would send.
std::thread Answer(int button, Seen& seen) {
  const DWORD window_thread = GetCurrentThreadId();
  return std::thread([window_thread, button, &seen] {
    for (int tries = 0; tries < 1000; ++tries, Sleep(10)) {
      HWND box = nullptr;
      EnumThreadWindows(window_thread, &FindBox, reinterpret_cast<LPARAM>(&box));
      if (!box) continue;
      wchar_t caption[256] = {};
      GetWindowTextW(box, caption, 256);
      seen.caption = caption;
      EnumChildWindows(box, &ReadText, reinterpret_cast<LPARAM>(&seen.text));
      seen.owner = GetWindow(box, GW_OWNER);
      seen.found = true;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
      return;
    }
  });
}

// Keeps the order in which things happened.
struct Journal {
  std::vector<std::string> lines;
  void Result(TData& d, uint16_t) { lines.push_back("Result " + ValueToString(d)); }
  void Yes(TData&, uint16_t) { lines.push_back("Yes"); }
  void No(TData& d, uint16_t) { lines.push_back(d.Type() == dtNull ? "No" : "No with a value"); }
};

// Calls Message directly and notes when it has returned: whatever runs
// after that was forwarded.
struct Caller {
  TKestoMessage* message;
  Journal* journal;
  void Call(TData& d, uint16_t) {
    message->Message(d, 0);
    journal->lines.push_back("returned");
  }
};

TEST_F(ControlsTest, YesNoAnsweredNoReportsSevenThenNoAfterReturning) {
  TKestoMessage message;
  message.Text = "Запустить обновление?";
  message.Caption = "Обновление";
  message.Buttons = 2;
  Journal journal;
  message.Result = Link<&Journal::Result>(&journal);
  message.Yes = Link<&Journal::Yes>(&journal);
  message.No = Link<&Journal::No>(&journal);
  Caller caller{&message, &journal};
  Seen seen;
  std::thread user = Answer(IDNO, seen);
  FireString(Link<&Caller::Call>(&caller), "ignored: the property wins");
  user.join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, L"Обновление");
  EXPECT_EQ(seen.text, L"Запустить обновление?");
  EXPECT_EQ(seen.owner, Form());
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"Result 7", "returned", "No"}));
}

TEST_F(ControlsTest, WithoutTextTheBoxShowsTheValueItWasTriggeredWith) {
  TKestoMessage message;
  Source caption;
  caption.answer = StringData("ЧТО НОВОГО");
  message.CaptionSource = Link<&Source::Get>(&caption);
  Probe result;
  message.Result = Link<&Probe::In>(&result);
  Seen seen;
  std::thread user = Answer(IDOK, seen);
  FireInteger(Link<&TKestoMessage::Message>(&message), 42);
  user.join();
  EXPECT_EQ(seen.text, L"42");
  EXPECT_EQ(seen.caption, L"ЧТО НОВОГО");
  ASSERT_EQ(result.values.size(), 1u);
  EXPECT_EQ(result.values[0].IntValue, IDOK);
}

TEST(MessageStyle, ButtonsIconAndDefaultMapAndOutOfRangeMeansTheFirstRow) {
  TKestoMessage m;
  m.Buttons = 2;
  m.Icon = 2;
  m.DefaultButton = 1;
  EXPECT_EQ(m.Style(), unsigned{MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2});
  m.Buttons = 5;
  m.Icon = 4;
  m.DefaultButton = 2;
  EXPECT_EQ(m.Style(), unsigned{MB_ABORTRETRYIGNORE | MB_ICONASTERISK | MB_DEFBUTTON3});
  m.Buttons = 6;
  m.Icon = 5;
  m.DefaultButton = 200;
  EXPECT_EQ(m.Style(), unsigned{MB_OK});
}

// --- tooltips ---

std::vector<HWND> TooltipsOf(HWND control) {
  struct Search {
    HWND control;
    std::vector<HWND> found;
  } search{control, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        wchar_t name[64];
        GetClassNameW(w, name, 64);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
        // A popup's owner is the top-level window, so ask for the tool.
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        if (SendMessageW(w, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)) &&
            info.uId == reinterpret_cast<UINT_PTR>(s->control))
          s->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TipText(HWND tip, HWND control) {
  wchar_t text[256] = {};
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = control;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
  return text;
}

TEST_F(ControlsTest, HoveringShowsTheHintAfterTheDelayAndAnEmptyHintHasNoTooltip) {
  TKestoButton hinted(Parent());
  hinted.Caption = "...";
  hinted.Hint = "Выбрать Цвет 1";
  Place(hinted, 220, 25, 20, 20);
  hinted.HookHint();
  TKestoLabel plain(Parent());
  plain.Caption = "Выберите цвет:";
  Place(plain, 15, 25, 148, 20);
  plain.HookHint();
  EXPECT_TRUE(TooltipsOf(plain.Control()->Handle()).empty());

  HWND button = hinted.Control()->Handle();
  std::vector<HWND> tips = TooltipsOf(button);
  ASSERT_EQ(tips.size(), 1u);
  HWND tip = tips[0];
  EXPECT_EQ(TipText(tip, button), L"Выбрать Цвет 1");
  EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
  EXPECT_FALSE(GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON);

  RECT r;
  GetWindowRect(button, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  Pump(200);
  EXPECT_FALSE(IsWindowVisible(tip));
  Pump(700);
  EXPECT_TRUE(IsWindowVisible(tip));
}

TEST_F(ControlsTest, ATooltipGoesWithItsWindowFontIncluded) {
  // A window of its own to be destroyed by the system, as closing would.
  toolkit::TControl window(Form(), "", WS_OVERLAPPEDWINDOW, 0);
  HintManager->Rectangular = 0;
  HFONT font = nullptr;
  {
    TKestoLabel label(&window);
    label.Hint = "Цвет 1";
    Place(label, 10, 10, 50, 20);
    label.HookHint();
    HintManager->Rectangular = 1;
    std::vector<HWND> tips = TooltipsOf(label.Control()->Handle());
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_TRUE(GetWindowLongW(tips[0], GWL_STYLE) & TTS_BALLOON);
    font = reinterpret_cast<HFONT>(SendMessageW(tips[0], WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    // The tooltip belongs to the top-level window and goes with it.
    DestroyWindow(window.Handle());
    EXPECT_FALSE(IsWindow(tips[0]));
  }
  EXPECT_EQ(GetObjectType(font), 0u);
}

}  // namespace
