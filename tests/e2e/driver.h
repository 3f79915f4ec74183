// Drives ostrel.exe from outside, the way a user would, through Win32 only.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace e2e {

// A fresh program folder in the temp folder with a copy of ostrel.exe;
// removed again when the object goes.
class ProgramFolder {
 public:
  // `program`: another program to copy in under the name ostrel.exe;
  // `name`: added to the folder's own name.
  explicit ProgramFolder(const std::wstring& program = L"", const std::wstring& name = L"");
  ~ProgramFolder();
  const std::wstring& Path() const { return path_; }  // ends in "\"
  std::wstring Exe() const { return path_ + L"ostrel.exe"; }

 private:
  std::wstring path_;
};

// Removes a folder with everything in it.
void RemoveFolder(const std::wstring& path);

class Ostrel {
 public:
  // `environment`: "NAME=value" entries added to the driver's own.
  Ostrel(const ProgramFolder& folder, const std::wstring& arguments = L"",
         const std::vector<std::wstring>& environment = {})
      : Ostrel(folder.Path(), arguments, environment) {}
  // The ostrel.exe of a program folder that is not the driver's (ends in "\").
  Ostrel(const std::wstring& folder, const std::wstring& arguments = L"",
         const std::vector<std::wstring>& environment = {});
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

// The child whose client-relative rectangle starts at (left, top): the
// window's layout names every control by its place.
HWND ControlAt(HWND form, int left, int top);
// A click on a button, the way the mouse makes it.
void Click(HWND button);
// Replaces the text of an edit box by typing, character by character.
void Type(HWND edit, const std::wstring& text);
// A click on item `index` of a list box, which selects it.
void ClickItem(HWND list, int index);
// The list box's items, in their order.
std::vector<std::wstring> Items(HWND list);
// The screen colour at a point of a window's client area.
COLORREF PixelAt(HWND window, int x, int y);
// One press on the upper (up = true) or lower arrow of an up-down control.
void Step(HWND upDown, bool up, int times = 1);
// The screen colour at the middle of a window.
COLORREF PixelAtMiddle(HWND window);
// A file of the program folder, as bytes; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
// Writes a file, making the folders it needs.
void WriteBytes(const std::wstring& path, const std::string& bytes);

// Holds a file open without sharing, as another program may: nobody else
// can open it until the handle goes.
using HeldFile = std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)>;
inline HeldFile Hold(const std::wstring& path) {
  return {CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), CloseHandle};
}

// A modal box of the program: waits for it, notes caption and text, closes
// it with `button`.
struct Box {
  std::wstring caption, text;
  bool error = false, warning = false, information = false;
};
Box AnswerBox(const Ostrel& ostrel, int button = IDOK, DWORD timeoutMs = 15000);
// The colour chooser: waits for it, notes the red, green and blue it shows,
// then types `rgb` (if given) and confirms, or cancels.
struct Chooser {
  int shown[3] = {-1, -1, -1};
};
Chooser AnswerChooser(const Ostrel& ostrel, const int* rgb, bool confirm);

}  // namespace e2e
