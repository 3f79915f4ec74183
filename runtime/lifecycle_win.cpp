#include "runtime/lifecycle_win.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>

#include "components/win/hint_manager.h"
#include "components/win/simple_form.h"
#include "runtime/dispatch.h"
#include "runtime/startup.h"
#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"

// The code a C runtime exits with on abnormal termination.
static constexpr int kRuntimeErrorCode = 3;

static bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// One argument from `i` on; `i` ends after it.
static std::wstring NextArgument(const std::wstring& line, size_t& i) {
  std::wstring argument;
  for (bool quoted = false; i < line.size() && (quoted || !IsBlank(line[i]));) {
    if (line[i] == L'\\') {
      size_t end = line.find_first_not_of(L'\\', i);
      if (end == std::wstring::npos) end = line.size();
      const size_t run = end - i;
      const bool quote = end < line.size() && line[end] == L'"';
      argument.append(quote ? run / 2 : run, L'\\');
      i = end;
      if (quote && run % 2 == 1) argument += line[i++];  // an escaped quote
    } else if (line[i] == L'"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == L'"')
        argument += line[++i];  // "" inside quotes
      else
        quoted = !quoted;
      ++i;
    } else {
      argument += line[i++];
    }
  }
  return argument;
}

std::vector<std::string> SplitArguments(const std::wstring& line) {
  size_t i = 0;
  if (!line.empty() && line[0] == L'"') i = std::min(line.find(L'"', 1), line.size() - 1) + 1;
  while (i < line.size() && !IsBlank(line[i])) ++i;
  std::vector<std::string> arguments;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return arguments;
    arguments.push_back(toolkit::Narrow(NextArgument(line, i)));
  }
}

// Split here rather than by the shell's CommandLineToArgvW, which would load
// the shell and its libraries at every start for one argument.
std::vector<std::string> CommandLineArguments() { return SplitArguments(GetCommandLineW()); }

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
