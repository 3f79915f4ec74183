#include <windows.h>

#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/system.h"

namespace toolkit {

static std::string WithBackslash(std::string s) {
  if (s.empty() || s.back() != '\\') s += '\\';
  return s;
}

template <class Call>
static std::string AskFolder(Call call) {
  wchar_t buffer[MAX_PATH + 1];
  UINT n = call(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return "\\";
  return WithBackslash(Narrow(std::wstring(buffer, n)));
}

std::string WindowsFolder() {
  return AskFolder([](wchar_t* b, UINT n) { return GetWindowsDirectoryW(b, n); });
}

std::string SystemFolder() {
  return AskFolder([](wchar_t* b, UINT n) { return GetSystemDirectoryW(b, n); });
}

std::string TempFolder() {
  return AskFolder([](wchar_t* b, UINT n) { return static_cast<UINT>(GetTempPathW(n, b)); });
}

static std::string programFolder;  // empty: the program file's own

void SetProgramFolder(const std::string& folder) { programFolder = folder; }

std::string ProgramFolder() {
  if (!programFolder.empty()) return programFolder;
  std::wstring path(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  std::string name = Narrow(path);
  return name.substr(0, name.rfind('\\') + 1);
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  HWND owner = MainFormHandle && IsWindow(MainFormHandle) ? MainFormHandle : nullptr;
  return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), style);
}

}  // namespace toolkit
