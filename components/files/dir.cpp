#include "components/files/dir.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/folders.h"
#include "toolkit/system.h"

using toolkit::IsExistingFolder;

bool CreateFolderWithParents(const std::string& path) {
  if (path.empty()) return false;
  std::string p = path;
  if (p.back() == '\\') p.pop_back();
  if (p.size() < 3 || IsExistingFolder(p) || p.back() == '\\' || p.back() == ':') return true;
  size_t cut = p.find_last_of("\\:");
  // No folder part: the parent is empty, which counts as a failure.
  std::string parent = cut == std::string::npos ? std::string() : p.substr(0, cut + 1);
  if (!CreateFolderWithParents(parent)) return false;
  return toolkit::MakeFolder(p);
}

void TKestoDir::SetCurrent(TData& data, uint16_t) {
  std::string path = PullString(data, Path, "");
  toolkit::SetCurrentFolder(path);
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
