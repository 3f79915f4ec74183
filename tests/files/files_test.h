// A scratch folder under the temporary-files folder, with a Russian name.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/cp1251_win.h"
#include "toolkit/file_bytes.h"
#include "toolkit/system.h"

inline DWORD Attributes(const std::string& p) {
  return GetFileAttributesW(toolkit::Widen(p).c_str());
}
inline bool Exists(const std::string& p) { return Attributes(p) != INVALID_FILE_ATTRIBUTES; }

// Under Wine only: runs a Unix program in folder and waits until path
// exists (or is gone). A Unix child's handle cannot be waited on.
inline bool RunUnix(const std::wstring& folder, std::wstring command, const std::wstring& path,
                    bool exists) {
  auto done = [&] { return (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists; };
  STARTUPINFOW start = {};
  start.cb = sizeof start;
  PROCESS_INFORMATION process;
  const std::wstring program = L"Z:" + command.substr(0, command.find(L' '));
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &start, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int i = 0; i < 100 && !done(); ++i) Sleep(20);
  return done();
}

// Removes a tree without entering linked folders.
inline void RemoveTree(const std::wstring& p) {
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((p + L"\\*").c_str(), &f);
  for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &f)) {
    std::wstring name = f.cFileName, full = p + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(full.c_str());
    else if (f.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // Wine removes neither way what a Unix link points to, nor the link.
      if (!RemoveDirectoryW(full.c_str()) && !DeleteFileW(full.c_str()))
        RunUnix(p, L"/bin/rm " + name, full, false);
    }
    else RemoveTree(full);
  }
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  RemoveDirectoryW(p.c_str());
}

struct Scratch {
  std::string root;  // ends in "\"
  explicit Scratch(const std::string& name)
      : root(toolkit::TempFolder() + "ostrel " + name + " Папка " +
             std::to_string(GetCurrentProcessId()) + "\\") {
    RemoveTree(Wide(""));
    CreateDirectoryW(Wide("").c_str(), nullptr);
  }
  ~Scratch() { RemoveTree(Wide("")); }
  std::wstring Wide(const std::string& rel) const {
    std::wstring w = toolkit::Widen(root + rel);
    if (w.back() == L'\\') w.pop_back();
    return w;
  }
  void Folder(const std::string& rel) const { CreateDirectoryW(Wide(rel).c_str(), nullptr); }
  void File(const std::string& rel, const std::string& bytes = "x") const {
    toolkit::WriteFileBytes(root + rel, bytes);
  }
};
