#include "runtime/lifecycle_win.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>

#include "components/win/hint_manager.h"
#include "components/win/simple_form.h"
#include "runtime/arguments.h"
#include "runtime/dispatch.h"
#include "runtime/startup.h"
#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"

// The code a C runtime exits with on abnormal termination.
static constexpr int kRuntimeErrorCode = 3;

std::vector<std::string> CommandLineArguments() {
  // Not the shell's CommandLineToArgvW: for one argument, that would load
  // the shell and its libraries at every start.
  std::vector<std::string> arguments;
  for (const std::wstring& argument : SplitArguments(GetCommandLineW()))
    arguments.push_back(toolkit::Narrow(argument));
  return arguments;
}

static void InitialiseCommonControls() {
  InitCommonControls();
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  // Looked up by name: old systems lack it, and then the plain call suffices.
  auto init = reinterpret_cast<InitEx>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "InitCommonControlsEx")));
  if (!init) return;
  INITCOMMONCONTROLSEX icc{8, 0xFF};
  init(&icc);
}

static void ShowAndStart(TKestoSimpleForm& form) {
  if (toolkit::ApplicationWindow)
    ShowWindow(toolkit::ApplicationWindow->Handle(), form.Visible ? SW_SHOWNOACTIVATE : SW_HIDE);
  SwitchDispatchOn();
  RunStartupList();
}

int RunApplication(const TSchemaClass& schema, const std::vector<std::string>& arguments) {
  InitialiseCommonControls();
  CreateHintManager();
  // COM is initialised twice; each call that succeeded is undone once at exit.
  const bool com_first = SUCCEEDED(CoInitialize(nullptr));
  const bool com_second = SUCCEEDED(CoInitialize(nullptr));
  int exit_code = 0;

  if (!arguments.empty() && arguments[0] == "/ih") {
    MessageBoxW(nullptr, toolkit::Widen("Сделано в Kesto.").c_str(), L"Kesto Info", MB_OK);
  } else {
    SwitchDispatchOff();
    try {
      // A constructor that throws has already unwound what it had built.
      void* instance = schema.Create();
      ShowAndStart(schema.MainForm(instance));
      toolkit::RunMessageLoop();
      schema.Destroy(instance);
    } catch (...) {
      // The schema is left as it is: tearing down a half-broken network
      // could fail again.
      SwitchDispatchOff();
      exit_code = kRuntimeErrorCode;
      std::printf("Runtime error %d at $%p\n", exit_code,
                  reinterpret_cast<void*>(&toolkit::RunMessageLoop));
      std::fflush(stdout);
    }
  }

  if (com_second) CoUninitialize();
  if (com_first) CoUninitialize();
  ClearStartupList();
  return exit_code;
}
