// Drives ostrel.exe from outside, the way a user would, through Win32 only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A fresh program folder in the temp folder with a copy of ostrel.exe;
// removed again when the object goes.
class ProgramFolder {
 public:
  ProgramFolder();
  ~ProgramFolder();
  const std::wstring& Path() const { return path_; }  // ends in "\"
  std::wstring Exe() const { return path_ + L"ostrel.exe"; }

 private:
  std::wstring path_;
};

class Ostrel {
 public:
  Ostrel(const ProgramFolder& folder, const std::wstring& arguments = L"");
  ~Ostrel();  // kills the process if it is still running

  // The process's visible top-level window with this caption (the main
  // form, or a message box), or null after the timeout.
  HWND WaitForWindow(const std::wstring& caption, const wchar_t* windowClass = nullptr,
                     DWORD timeoutMs = 15000) const;
  // The process's visible top-level windows.
  std::vector<HWND> Windows() const;
  // Exit code, or -1 if the process has not ended in time.
  int WaitForExit(DWORD timeoutMs = 15000);
  DWORD Id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_{};
};

std::wstring Text(HWND window);
// The hidden window that owns `form` and carries the taskbar button.
HWND ApplicationWindowOf(HWND form);
// The window's rectangle on the screen.
RECT WindowRect(HWND window);
std::wstring ClassName(HWND window);
std::vector<HWND> Children(HWND window);
// The first child with this class and text (text empty: any).
HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text = L"");
// Presses a dialog button by posting WM_COMMAND with its ID, which works
// whether or not the dialog is active.
void PressButton(HWND dialog, int id);
// The texts of the static controls in a message box.
std::wstring MessageBoxText(HWND box);
// Test literals (compiled to cp1251 like the program's own) to UTF-16.
std::wstring W(const char* cp1251);

}  // namespace e2e
