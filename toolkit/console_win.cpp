// The arguments come from the wide command line, so that names outside the
// ANSI code page arrive whole; a console gets its text through the wide
// call, a file or pipe gets UTF-8.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "toolkit/console.h"
#include "toolkit/cp1251_win.h"

namespace toolkit {

static constexpr unsigned kUtf8 = 65001;

std::vector<std::string> Arguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(NarrowTo(kUtf8, wide[i], static_cast<int>(wcslen(wide[i]))));
  LocalFree(wide);
  return arguments;
}

static HANDLE Stream(bool error) { return GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE); }

bool IsTerminal(bool error) {
  DWORD mode;
  return GetConsoleMode(Stream(error), &mode) != 0;
}

void WriteOut(const std::string& utf8, bool error) {
  DWORD written;
  if (IsTerminal(error)) {
    const std::wstring text = WidenFrom(kUtf8, utf8);
    WriteConsoleW(Stream(error), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  WriteFile(Stream(error), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace toolkit
