// Ostrel started as a user starts it, watched and worked from outside.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace {

using e2e::Ostrel;
using e2e::ProgramFolder;
using e2e::W;
using e2e::WaitUntil;

TEST(MainWindow, AppearsWithItsFrameAndClosesWithExitCodeZero) {
  ProgramFolder folder;
  Ostrel ostrel(folder);
  HWND form = ostrel.WaitForWindow(L"Ostrel");
  ASSERT_NE(form, nullptr);
  LONG style = GetWindowLongW(form, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);  // not resizable
  RECT r;
  GetWindowRect(form, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 717);
  EXPECT_EQ(r.bottom - r.top, 239);

  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(ostrel.WaitForExit(), 0);
}

TEST(MainWindow, ClosesFromTheSystemMenu) {
  ProgramFolder folder;
  Ostrel ostrel(folder);
  HWND form = ostrel.WaitForWindow(L"Ostrel");
  ASSERT_NE(form, nullptr);
  PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(ostrel.WaitForExit(), 0);
}

// The taskbar's "Close window", the task manager and polite closers talk
// to the window that carries the taskbar button, not to the form.
TEST(TaskbarCloseLeftProcessRunning, ApplicationWindowCloseEndsTheProgram) {
  const struct {
    const char* name;
    UINT msg;
    WPARAM wp;
  } closes[] = {{"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE}, {"WM_CLOSE", WM_CLOSE, 0}};
  ProgramFolder folder;
  for (auto close : closes) {
    Ostrel ostrel(folder);
    HWND form = ostrel.WaitForWindow(L"Ostrel");
    ASSERT_NE(form, nullptr) << close.name;
    HWND app = e2e::ApplicationWindowOf(form);
    ASSERT_NE(app, nullptr) << close.name;
    EXPECT_EQ(e2e::Text(app), L"Ostrel") << close.name;
    PostMessageW(app, close.msg, close.wp, 0);
    EXPECT_EQ(ostrel.WaitForExit(), 0) << close.name;
  }
}

TEST(MainWindow, MinimisesAndRestoresFromTheTaskbarInPlace) {
  ProgramFolder folder;
  Ostrel ostrel(folder);
  HWND form = ostrel.WaitForWindow(L"Ostrel");
  ASSERT_NE(form, nullptr);
  HWND app = e2e::ApplicationWindowOf(form);
  RECT before = e2e::WindowRect(form);
  PostMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(app) && !IsWindowVisible(form); }));
  PostMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(app) && IsWindowVisible(form); }));
  RECT after = e2e::WindowRect(form);
  EXPECT_TRUE(EqualRect(&before, &after)) << after.left << "," << after.top << " "
                                          << after.right << "," << after.bottom;
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(ostrel.WaitForExit(), 0);
}

TEST(InfoSwitch, ShowsOnlyTheInfoBoxAndExitsWithZero) {
  ProgramFolder folder;
  Ostrel ostrel(folder, L"/ih");
  HWND box = ostrel.WaitForWindow(L"Kesto Info", L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageBoxText(box), W("Сделано в Kesto."));
  for (HWND w : ostrel.Windows()) EXPECT_NE(e2e::Text(w), L"Ostrel");
  e2e::PressButton(box, IDOK);
  EXPECT_EQ(ostrel.WaitForExit(), 0);
}

TEST(InfoSwitch, IsCaseSensitiveAndOnlyTheFirstArgument) {
  ProgramFolder folder;
  for (const wchar_t* arguments : {L"/IH", L"x /ih"}) {
    Ostrel ostrel(folder, arguments);
    HWND form = ostrel.WaitForWindow(L"Ostrel");
    ASSERT_NE(form, nullptr) << arguments;
    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(ostrel.WaitForExit(), 0) << arguments;
  }
}

}  // namespace
