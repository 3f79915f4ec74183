#include "components/files/dir.h"

#include <windows.h>

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/system.h"

static bool IsExistingFolder(const std::string& p) {
  DWORD attributes = GetFileAttributesW(toolkit::Widen(p).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderWithParents(const std::string& path) {
  if (path.empty()) return false;
  std::string p = path;
  if (p.back() == '\\') p.pop_back();
  if (p.size() < 3 || IsExistingFolder(p) || p.back() == '\\' || p.back() == ':') return true;
  size_t cut = p.find_last_of("\\:");
  // No folder part: the parent is empty, which counts as a failure.
  std::string parent = cut == std::string::npos ? std::string() : p.substr(0, cut + 1);
  if (!CreateFolderWithParents(parent)) return false;
  return CreateDirectoryW(toolkit::Widen(p).c_str(), nullptr) != 0;
}

void TKestoDir::SetCurrent(TData& data, uint16_t) {
  std::string path = PullString(data, Path, "");
  SetCurrentDirectoryW(toolkit::Widen(path).c_str());
  ForwardNull(data, Done);
}

void TKestoDir::Create(TData& data, uint16_t) {
  std::string path = PullString(data, Path, "");
  if (CreateFolderWithParents(path))
    ForwardNull(data, Done);
  else
    ForwardNull(data, Error);
}

void TKestoDir::AppFolder(TData& data, uint16_t) { SetString(data, toolkit::ProgramFolder()); }
