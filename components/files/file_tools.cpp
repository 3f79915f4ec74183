#include "components/files/file_tools.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/file_bytes.h"

namespace {

// The shell keeps undo information only for fully qualified names and
// deletes anything else for good, so a relative name is completed against
// the current folder first.
std::wstring FullName(const std::wstring& name) {
  if (name.empty()) return name;
  DWORD n = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (n == 0) return name;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(name.c_str(), n, full.data(), nullptr);
  if (n == 0 || n >= full.size()) return name;
  full.resize(n);
  return full;
}

bool Absolute(const std::string& name) {
  return (name.size() > 2 && name[1] == ':' && (name[2] == '\\' || name[2] == '/')) ||
         name.rfind("\\\\", 0) == 0;
}

// The double-zero list the shell wants: the name itself when it names a
// file, else its pieces between ";". A ";" inside a path cuts it into a
// folder that may hold anything ("D:\Games" of "D:\Games;mods\a.zip") and
// a relative rest that the current folder would complete into some other
// file, so of the pieces only absolute names of existing files go on.
std::wstring SourceList(const std::string& name) {
  if (toolkit::IsExistingFile(name)) return FullName(toolkit::Widen(name)) + L'\0' + L'\0';
  std::wstring list;
  size_t from = 0;
  for (;;) {
    const size_t at = name.find(';', from);
    const std::string piece = name.substr(from, at - from);
    if (Absolute(piece) && toolkit::IsExistingFile(piece)) list += toolkit::Widen(piece) + L'\0';
    if (at == std::string::npos) break;
    from = at + 1;
  }
  return list.empty() ? list : list + L'\0';
}

void DeleteToRecycleBin(const std::string& name) {
  const std::wstring from = SourceList(name);
  if (from.empty()) return;
  std::wstring title = toolkit::Widen("Delete " + name + " to Recycle bin");
  SHFILEOPSTRUCTW op = {};
  op.hwnd = toolkit::ApplicationWindow ? toolkit::ApplicationWindow->Handle() : nullptr;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.pTo = nullptr;
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
  op.lpszProgressTitle = title.c_str();
  SHFileOperationW(&op);  // success is judged by the file being gone
}

void DeleteDirectly(const std::string& name) {
  size_t cut = name.find_last_of("\\:");
  std::string folder = cut == std::string::npos ? std::string() : name.substr(0, cut + 1);
  std::string pattern = cut == std::string::npos ? name : name.substr(cut + 1);
  if (!folder.empty() && folder.back() != '\\') folder += '\\';

  // Collect first, delete afterwards: deleting while the listing is open
  // could make the system skip or repeat entries.
  std::vector<std::wstring> files;
  const std::wstring wideFolder = toolkit::Widen(folder);
  WIN32_FIND_DATAW found;
  HANDLE listing = FindFirstFileW((wideFolder + toolkit::Widen(pattern)).c_str(), &found);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        files.push_back(wideFolder + found.cFileName);
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
  }
  for (const std::wstring& file : files)
    if (!DeleteFileW(file.c_str())) break;
}

}  // namespace

void TKestoFileTools::Delete(TData& data, uint16_t) {
  std::string name = PullString(data, FileName, "");
  if (Recycle == 0)
    DeleteToRecycleBin(name);
  else
    DeleteDirectly(name);
  if (!toolkit::IsExistingFile(name)) ForwardNull(data, Done);  // gone, or a folder
}
