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

ProgramFolder::ProgramFolder(const std::wstring& program, const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  path_ = std::wstring(temp) + L"ostrel-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial) + name + L"\\";
  CreateDirectoryW(path_.c_str(), nullptr);
  CopyFileW(program.empty() ? BuiltExe().c_str() : program.c_str(), Exe().c_str(), FALSE);
  // ostrel.exe imports BSZIP.dll, built beside it.
  const std::wstring built = BuiltExe();
  const std::wstring dll = built.substr(0, built.find_last_of(L'\\') + 1) + L"BSZIP.dll";
  CopyFileW(dll.c_str(), (path_ + L"BSZIP.dll").c_str(), FALSE);
}

ProgramFolder::~ProgramFolder() { RemoveFolder(path_); }

void RemoveFolder(const std::wstring& path) {
  std::wstring from = path.back() == L'\\' ? path.substr(0, path.size() - 1) : path;
  from.push_back(L'\0');  // double-zero list
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationW(&op);
}

// The driver's environment block with `extra` entries appended.
static std::wstring EnvironmentWith(const std::vector<std::wstring>& extra) {
  std::wstring block;
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* p = own; *p; p += wcslen(p) + 1) block.append(p, wcslen(p) + 1);
  FreeEnvironmentStringsW(own);
  for (const auto& entry : extra) block.append(entry.c_str(), entry.size() + 1);
  return block + L'\0';
}

Ostrel::Ostrel(const std::wstring& folder, const std::wstring& arguments,
               const std::vector<std::wstring>& environment) {
  const std::wstring exe = folder + L"ostrel.exe";
  std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring block = EnvironmentWith(environment);
  CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, block.data(),
                 folder.c_str(), &si, &info_);
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

namespace e2e {

HWND ControlAt(HWND form, int left, int top) {
  for (HWND w : Children(form)) {
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == left && r.top == top) return w;
  }
  return nullptr;
}

void Click(HWND button) {
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  // Posted: the click may open a modal box that the caller then answers.
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void Type(HWND edit, const std::wstring& text) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CHAR, VK_BACK, 0);
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

void Step(HWND upDown, bool up, int times) {
  RECT r;
  GetClientRect(upDown, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
  for (int i = 0; i < times; ++i) {
    SendMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(upDown, WM_LBUTTONUP, 0, at);
  }
}

void ClickItem(HWND list, int index) {
  const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  const LPARAM at = MAKELPARAM(5, (index - SendMessageW(list, LB_GETTOPINDEX, 0, 0)) * height + height / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
}

std::vector<std::wstring> Items(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT n = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

COLORREF PixelAt(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

COLORREF PixelAtMiddle(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return PixelAt(window, r.right / 2, r.bottom / 2);
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(f, nullptr), '\0');
  DWORD read = 0;
  ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(f);
  bytes.resize(read);
  return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

// The process's dialog (class #32770) that has a child with this ID.
static HWND WaitForDialog(const Ostrel& ostrel, int childId, DWORD timeoutMs) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50))
    for (HWND w : ostrel.Windows())
      if (ClassName(w) == L"#32770" && GetDlgItem(w, childId)) return w;
  return nullptr;
}

// The icon a message box shows, as the user sees it: the system's error,
// warning and information icons are mostly red, yellow and blue. Icon
// handles cannot be compared across processes, pixels can.
enum class Hue { None, Red, Yellow, Blue };
static Hue IconHue(HWND box) {
  int counts[4] = {};
  for (HWND w : Children(box)) {
    if (ClassName(w) != L"Static" || !IsWindowVisible(w)) continue;
    if ((GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    RECT r;
    GetWindowRect(w, &r);
    HDC screen = GetDC(nullptr);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        COLORREF c = GetPixel(screen, x, y);
        int red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
        if (red > 180 && green < 110 && blue < 110) ++counts[1];
        if (red > 180 && green > 160 && blue < 110) ++counts[2];
        if (blue > 150 && red < 110) ++counts[3];
      }
    ReleaseDC(nullptr, screen);
  }
  int best = 0;
  for (int i = 1; i < 4; ++i)
    if (counts[i] > 20 && counts[i] > counts[best]) best = i;
  return static_cast<Hue>(best);
}

Box AnswerBox(const Ostrel& ostrel, int button, DWORD timeoutMs) {
  Box box;
  HWND w = WaitForDialog(ostrel, button, timeoutMs);
  if (!w) return box;
  box.caption = Text(w);
  box.text = MessageBoxText(w);
  const Hue hue = IconHue(w);
  box.error = hue == Hue::Red;
  box.warning = hue == Hue::Yellow;
  box.information = hue == Hue::Blue;
  PressButton(w, button);
  for (DWORD start = GetTickCount(); IsWindow(w) && GetTickCount() - start < 5000;) Sleep(20);
  return box;
}

Chooser AnswerChooser(const Ostrel& ostrel, const int* rgb, bool confirm) {
  Chooser chooser;
  const int kRed = 706;  // the red, green and blue boxes follow
  HWND w = WaitForDialog(ostrel, kRed, 15000);
  if (!w) return chooser;
  for (int i = 0; i < 3; ++i) {
    chooser.shown[i] = static_cast<int>(GetDlgItemInt(w, kRed + i, nullptr, FALSE));
    if (!rgb) continue;
    SetDlgItemInt(w, kRed + i, static_cast<UINT>(rgb[i]), FALSE);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(kRed + i, EN_UPDATE), reinterpret_cast<LPARAM>(GetDlgItem(w, kRed + i)));
  }
  PressButton(w, confirm ? IDOK : IDCANCEL);
  for (DWORD start = GetTickCount(); IsWindow(w) && GetTickCount() - start < 5000;) Sleep(20);
  return chooser;
}

}  // namespace e2e
