// A scratch folder with a Russian name under the temporary-files folder.
#pragma once
#include <windows.h>

#include <string>

#include "tests/core/probes.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/file_bytes.h"
#include "toolkit/system.h"

inline DWORD Attributes(const std::string& p) { return GetFileAttributesW(toolkit::Widen(p).c_str()); }
inline bool Exists(const std::string& p) { return Attributes(p) != INVALID_FILE_ATTRIBUTES; }

// Wine only: runs a Unix program in folder, then waits for path to appear
// or vanish (a Unix child's handle cannot be waited on).
inline bool RunUnix(const std::wstring& folder, std::wstring command, const std::wstring& path,
                    bool appear) {
  auto done = [&] { return (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == appear; };
  STARTUPINFOW start = {};
  start.cb = sizeof start;
  PROCESS_INFORMATION p;
  std::wstring program = L"Z:" + command.substr(0, command.find(L' '));
  if (!CreateProcessW(program.c_str(), command.data(), 0, 0, FALSE, 0, 0, folder.c_str(), &start, &p))
    return false;
  CloseHandle(p.hThread), CloseHandle(p.hProcess);
  for (int i = 0; i < 100 && !done(); ++i) Sleep(20);
  return done();
}

// Removes a tree without entering linked folders; Wine removes a Unix link
// to a folder neither as a folder nor as a file.
inline void RemoveTree(const std::wstring& p) {
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((p + L"\\*").c_str(), &f);
  for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &f)) {
    std::wstring name = f.cFileName, full = p + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(full.c_str());
    else if (!(f.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) RemoveTree(full);
    else if (!RemoveDirectoryW(full.c_str())) RunUnix(p, L"/bin/rm " + name, full, false);
  }
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  if (RemoveDirectoryW(p.c_str()) || GetFileAttributesW(p.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  // Links left pointing nowhere by the removal above do not show in Wine's listings.
  const size_t cut = p.find_last_of(L'\\');
  RunUnix(p.substr(0, cut), L"/bin/rm -rf \"" + p.substr(cut + 1) + L"\"", p, false);
}

struct Scratch {
  const std::string root;  // ends in "\"
  explicit Scratch(const std::string& name)
      : root(toolkit::TempFolder() + "ostrel " + name + " " + std::to_string(GetCurrentProcessId()) + "\\") {
    RemoveTree(Wide(""));
    CreateDirectoryW(Wide("").c_str(), nullptr);
  }
  ~Scratch() { RemoveTree(Wide("")); }
  std::wstring Wide(const std::string& rel) const {
    std::wstring w = toolkit::Widen(root + rel);
    return w.back() == L'\\' ? w.substr(0, w.size() - 1) : w;
  }
  void Folder(const std::string& rel) const { CreateDirectoryW(Wide(rel).c_str(), nullptr); }
  void File(const std::string& rel, const std::string& bytes = "x") const {
    toolkit::WriteFileBytes(root + rel, bytes);
  }
};
