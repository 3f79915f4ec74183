// One real form for the control tests, and helpers for the user's actions.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "components/win/hint_manager.h"
#include "components/win/simple_form.h"
#include "tests/core/probes.h"
#include "toolkit/app_win.h"

inline void Pump(DWORD ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

inline std::wstring WindowText(HWND w) {
  wchar_t buffer[512] = {};
  GetWindowTextW(w, buffer, 512);
  return buffer;
}

// Shown once for the whole program: Wine makes every first showing of a
// top-level window wait about two seconds.
struct FormEnvironment : ::testing::Environment {
  void SetUp() override {
    CreateHintManager();
    form = new TKestoSimpleForm(nullptr);
    form->Width = 500;
    form->Height = 300;
    form->Initialise();
    ShowWindow(form->Control()->Handle(), SW_SHOW);
  }
  void TearDown() override { delete form; }
  static inline TKestoSimpleForm* form = nullptr;
};

struct ControlsTest : ::testing::Test {
  DispatchOn dispatch;
  HWND Form() const { return FormEnvironment::form->Control()->Handle(); }
  toolkit::TControl* Parent() const { return FormEnvironment::form->Control(); }
  template <class C>
  HWND Place(C& control, int left, int top, int width, int height) {
    control.Left = left, control.Top = top, control.Width = width, control.Height = height;
    control.Initialise();
    return control.Control()->Handle();
  }
};
