// Colour splitting, and the colour chooser answered from another thread
// the way a user would while the window thread sits in it.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "components/image/colour.h"
#include "tests/core/probes.h"
#include "toolkit/app_win.h"

namespace {

struct ChainProbe {  // the chain is the sender's: read it while it lives
  std::vector<int32_t> seen;
  void In(TData& d, uint16_t) {
    for (const TData* p = &d; p; p = p->Next) seen.push_back(ValueToInteger(*p));
  }
};

TEST(ToRGB, SplitsIntoAChainAndAnswersTheLastParts) {
  DispatchOn on;
  TKestoToRGB split;
  ChainProbe result;
  split.Result = Link<&ChainProbe::In>(&result);
  TData none;
  EXPECT_EQ(PullInteger(none, Link<&TKestoToRGB::B>(&split), 0), 0);
  FireInteger(Link<&TKestoToRGB::Convert>(&split), 0x00336699);
  EXPECT_EQ(result.seen, (std::vector<int32_t>{153, 102, 51}));
  EXPECT_EQ(PullInteger(none, Link<&TKestoToRGB::G>(&split), 0), 102);
  EXPECT_EQ(PullInteger(none, Link<&TKestoToRGB::B>(&split), 0), 51);
  split.Color = 0xFF00000F;  // a property wins over the call's value
  FireInteger(Link<&TKestoToRGB::Convert>(&split), 0x00336699);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(result.seen, (std::vector<int32_t>{153, 102, 51, GetRValue(face), GetGValue(face), GetBValue(face)}));
}

// Waits for the window thread's chooser, notes what it shows, then acts.
struct User {
  enum { Cancel, Confirm, Type } act;
  int typed[3] = {};
  HWND owner = nullptr;
  int shown[3] = {-1, -1, -1};

  std::thread Start() {
    return std::thread([this, tid = GetCurrentThreadId()] {
      HWND dialog = nullptr;
      for (int i = 0; i < 500 && !dialog; ++i, Sleep(20))
        EnumThreadWindows(tid, [](HWND w, LPARAM found) {
          wchar_t name[16];
          if (!IsWindowVisible(w) || !GetClassNameW(w, name, 16) || lstrcmpW(name, L"#32770")) return TRUE;
          *reinterpret_cast<HWND*>(found) = w;
          return FALSE;
        }, LPARAM(&dialog));
      if (!dialog) return;
      owner = GetWindow(dialog, GW_OWNER);
      for (int i = 0; i < 3; ++i) {
        shown[i] = int(GetDlgItemInt(dialog, 706 + i, nullptr, FALSE));
        if (act != Type) continue;
        SetDlgItemInt(dialog, 706 + i, typed[i], FALSE);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(706 + i, EN_UPDATE), LPARAM(GetDlgItem(dialog, 706 + i)));
      }
      int button = act == Cancel ? IDCANCEL : IDOK;
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(GetDlgItem(dialog, button)));
    });
  }
};

TEST(ColorDialog, CancelFiresNothingConfirmFiresTheResolvedStartOrTheTypedColour) {
  DispatchOn on;
  TKestoColorDialog chooser;
  Probe chosen;
  chooser.Chosen = Link<&Probe::In>(&chosen);
  HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  toolkit::MainFormHandle = main;
  auto open = [&](User user, TData value) {
    std::thread playing = user.Start();
    FireEvent(Link<&TKestoColorDialog::Execute>(&chooser), value);
    playing.join();
    return user;
  };
  User user = open({User::Cancel}, IntegerData(0x00336699));
  EXPECT_EQ(user.owner, main);
  EXPECT_EQ(user.shown[0], 0x99);
  EXPECT_TRUE(chosen.values.empty());
  user = open({User::Confirm}, IntegerData(int32_t(0xFF00000F)));
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(user.shown[1], GetGValue(face));
  user = open({User::Type, {255, 0, 0}}, {});  // every opening starts at black again
  EXPECT_EQ(user.shown[0] + user.shown[1] + user.shown[2], 0);
  ASSERT_EQ(chosen.values.size(), 2u);
  EXPECT_EQ(chosen.values[0].IntValue, int32_t(face));
  EXPECT_EQ(chosen.values[1].Kind, dtInteger);
  EXPECT_EQ(chosen.values[1].IntValue, 0xFF);
  toolkit::MainFormHandle = nullptr;
  DestroyWindow(main);
}

}  // namespace
