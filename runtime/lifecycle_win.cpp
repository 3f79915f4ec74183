#include "runtime/lifecycle_win.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>

#include "components/win/hint_manager.h"
#include "components/win/simple_form.h"
#include "runtime/dispatch.h"
#include "runtime/startup.h"
#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/folders.h"
#include "toolkit/system.h"

// The code a C runtime exits with on abnormal termination.
static constexpr int kRuntimeErrorCode = 3;
// The program folder cannot be named in cp1251 (as ostrel-batch's code for
// a folder it cannot use).
static constexpr int kUnnamedFolderCode = 2;

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(toolkit::Narrow(argv[i]));
  LocalFree(argv);
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

// Names from the system arrive in UTF-8 and keep every letter.
static std::wstring FromUtf8(const std::string& utf8) { return toolkit::WidenFrom(CP_UTF8, utf8); }

// Said at once, before a window shows: every path of the program is built
// on its folder, so nothing could be found or saved later on.
static void TellUnnamedFolder(const std::string& folder) {
  const std::wstring text =
      toolkit::Widen("Ostrel не может работать в папке\r\n") + FromUtf8(folder) +
      toolkit::Widen("\r\nВ её пути есть буквы не из латиницы и не из кириллицы, а короткого имени (8.3) "
                     "без них у неё нет.\r\n\r\nПеренесите программу в папку, путь к которой записан только "
                     "латинскими или русскими буквами, например в C:\\Ostrel\\.");
  MessageBoxW(nullptr, text.c_str(), L"Ostrel", MB_OK | MB_ICONERROR);
}

// Templates (or folders of them) that the list and the wall set had to
// leave out, named once the window is up.
static void TellLostEntries() {
  const toolkit::LostEntries lost = toolkit::TakeLostEntries();
  if (lost.count == 0) return;
  std::wstring text = toolkit::Widen(
      "Эти файлы и папки Ostrel не видит: в их именах есть буквы не из латиницы и не из кириллицы, а "
      "короткого имени (8.3) без них нет.\r\n");
  for (const std::string& path : lost.paths) text += L"\r\n" + FromUtf8(path);
  if (lost.count > lost.paths.size())
    text += toolkit::Widen("\r\nи ещё " + std::to_string(lost.count - lost.paths.size()));
  text += toolkit::Widen("\r\n\r\nПереименуйте их латинскими или русскими буквами.");
  MessageBoxW(toolkit::MainFormHandle, text.c_str(), L"Ostrel", MB_OK | MB_ICONWARNING);
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
  } else if (const std::string unnamed = toolkit::UnnamedProgramFolder(); !unnamed.empty()) {
    TellUnnamedFolder(unnamed);
    exit_code = kUnnamedFolderCode;
  } else {
    SwitchDispatchOff();
    try {
      // A constructor that throws has already unwound what it had built.
      void* instance = schema.Create();
      ShowAndStart(schema.MainForm(instance));
      TellLostEntries();
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
