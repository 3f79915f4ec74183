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
  const std::wstring folder(buffer, n);
  std::string name;
  return WithBackslash(NarrowPath(folder, name) ? name : Narrow(folder));
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

namespace {
// Asked once: the program file does not move while it runs.
struct OwnFolder {
  std::string name;     // cp1251, ending in "\"
  std::string unnamed;  // UTF-8, when `name` could not be given in cp1251
  OwnFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const std::wstring folder = path.substr(0, path.rfind(L'\\'));
    if (NarrowPath(folder, name)) {
      name += '\\';
      return;
    }
    name = Narrow(folder) + '\\';
    unnamed = NarrowTo(CP_UTF8, folder.data(), static_cast<int>(folder.size())) + '\\';
  }
};
const OwnFolder& Own() {
  static const OwnFolder own;
  return own;
}
}  // namespace

std::string ProgramFolder() { return programFolder.empty() ? Own().name : programFolder; }

std::string UnnamedProgramFolder() { return Own().unnamed; }

bool ProgramPath(const std::string& utf8, std::string& cp1251) {
  return NarrowPath(WidenFrom(CP_UTF8, utf8), cp1251);
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  HWND owner = MainFormHandle && IsWindow(MainFormHandle) ? MainFormHandle : nullptr;
  return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), style);
}

}  // namespace toolkit
