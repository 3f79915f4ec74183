// A real form on screen for the control tests, and the user's actions.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "components/win/hint_manager.h"
#include "components/win/simple_form.h"
#include "runtime/dispatch.h"
#include "runtime/startup.h"
#include "tests/core/probes.h"
#include "toolkit/app_win.h"

// Runs the window thread's queue for a while.
inline void Pump(DWORD ms = 30) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

// One form, shown once for the whole program: under Wine every first
// showing of a top-level window waits about two seconds.
class FormEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    CreateHintManager();
    SwitchDispatchOff();
    form = new TKestoSimpleForm(nullptr);
    form->Left = 100;
    form->Top = 100;
    form->Width = 500;
    form->Height = 300;
    form->SetCaption("Ostrel");
    form->SetBorderStyle(1);
    form->Initialise();
    ShowWindow(form->Control()->Handle(), SW_SHOW);
    ClearStartupList();
  }
  void TearDown() override {
    delete form;
    form = nullptr;
    toolkit::MainFormHandle = nullptr;
  }
  static inline TKestoSimpleForm* form = nullptr;
};

struct ControlsTest : ::testing::Test {
  void SetUp() override { SwitchDispatchOn(); }
  void TearDown() override {
    SwitchDispatchOff();
    Pump(0);
  }
  HWND Form() const { return FormEnvironment::form->Control()->Handle(); }
  toolkit::TControl* Parent() const { return FormEnvironment::form->Control(); }

  // Places a control the way the schema does and initialises it.
  template <class C>
  void Place(C& control, int left, int top, int width, int height) {
    control.Left = left;
    control.Top = top;
    control.Width = width;
    control.Height = height;
    control.Ctl3D = 1;
    control.Initialise();
  }
};

// A receiver that changes whatever it is given.
struct Spoiler {
  std::vector<TData> values;
  void In(TData& d, uint16_t) {
    values.push_back(d);
    SetString(d, "spoilt");
  }
};
