#include "tests/e2e/driver.h"

#include <shellapi.h>

namespace e2e {

std::wstring W(const char* cp1251) {
  int n = MultiByteToWideChar(1251, 0, cp1251, -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(1251, 0, cp1251, -1, w.data(), n);
  w.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
  return w;
}

// The freshly built program: a Unix path under Wine, a Windows path natively.
static std::wstring BuiltExe() {
  std::wstring path = W(OSTREL_EXE);  // an ASCII path
  if (!path.empty() && path[0] == L'/') {
    for (auto& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}

ProgramFolder::ProgramFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  path_ = std::wstring(temp) + L"ostrel-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial) + L"\\";
  CreateDirectoryW(path_.c_str(), nullptr);
  CopyFileW(BuiltExe().c_str(), Exe().c_str(), FALSE);
}

ProgramFolder::~ProgramFolder() {
  std::wstring from = path_.substr(0, path_.size() - 1);
  from.push_back(L'\0');  // double-zero list
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationW(&op);
}

Ostrel::Ostrel(const ProgramFolder& folder, const std::wstring& arguments) {
  std::wstring command = L"\"" + folder.Exe() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  CreateProcessW(folder.Exe().c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                 folder.Path().c_str(), &si, &info_);
}

Ostrel::~Ostrel() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

std::vector<HWND> Ostrel::Windows() const {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{info_.dwProcessId, {}};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == s->pid && IsWindowVisible(w)) s->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Ostrel::WaitForWindow(const std::wstring& caption, const wchar_t* windowClass,
                           DWORD timeoutMs) const {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
    for (HWND w : Windows()) {
      RECT r = WindowRect(w);
      // The taskbar carrier has no height; it takes the form's width.
      if (Text(w) != caption || r.bottom - r.top <= 1) continue;
      if (windowClass && ClassName(w) != windowClass) continue;
      return w;
    }
  }
  return nullptr;
}

int Ostrel::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<int>(code);
}

std::wstring Text(HWND window) {
  // WM_GETTEXT works across processes for any window, unlike GetWindowText.
  LRESULT n = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  n = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(n));
  return text;
}

HWND ApplicationWindowOf(HWND form) { return GetWindow(form, GW_OWNER); }

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> Children(HWND window) {
  std::vector<HWND> found;
  EnumChildWindows(
      window,
      [](HWND w, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text) {
  for (HWND w : Children(parent)) {
    if (_wcsicmp(ClassName(w).c_str(), windowClass.c_str()) != 0) continue;
    if (text.empty() || Text(w) == text) return w;
  }
  return nullptr;
}

void PressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::wstring MessageBoxText(HWND box) {
  std::wstring text;
  for (HWND w : Children(box))
    if (_wcsicmp(ClassName(w).c_str(), L"Static") == 0) text += Text(w);
  return text;
}

}  // namespace e2e
