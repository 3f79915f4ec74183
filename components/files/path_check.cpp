#include "components/files/path_check.h"

#include <vector>

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/system.h"

// Letters A-Z only: the program's names are cp1251 bytes, and folding more
// would need the code page's tables for no real gain here.
static std::string FoldCase(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

static bool IsSeparator(char c) { return c == '\\' || c == '/'; }

static bool OnlyDotsAndBlanks(const std::string& part) {
  return part.find_first_not_of(". ") == std::string::npos;
}

// The parts of a path after "." and ".." are resolved; false when the path
// cannot be resolved safely. The first part keeps a leading separator or a
// drive, so "C:\a" and "\a" and "a" stay apart.
static bool Resolve(const std::string& path, std::vector<std::string>& parts) {
  std::string head;
  size_t at = 0;
  if (path.size() >= 2 && path[1] == ':') head = path.substr(0, 2), at = 2;
  if (at < path.size() && IsSeparator(path[at])) head += '\\';
  parts.assign(1, FoldCase(head));
  while (at < path.size()) {
    size_t end = at;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string part = path.substr(at, end - at);
    at = end + 1;
    if (part.empty() || part == ".") continue;
    if (part.find(':') != std::string::npos) return false;
    if (part == "..") {
      if (parts.size() == 1) return false;
      parts.pop_back();
      continue;
    }
    if (OnlyDotsAndBlanks(part)) return false;
    parts.push_back(FoldCase(part));
  }
  return true;
}

bool IsPathInside(const std::string& path, const std::string& root) {
  std::vector<std::string> p, r;
  if (!Resolve(path, p) || !Resolve(root, r)) return false;
  if (p.size() <= r.size()) return false;
  for (size_t i = 0; i < r.size(); ++i)
    if (p[i] != r[i]) return false;
  return true;
}

static bool IsRelative(const std::string& p) {
  return p.find(':') == std::string::npos && (p.empty() || !IsSeparator(p[0]));
}

void TKestoPathCheck::Check(TData& data, uint16_t) {
  const std::string path = PullString(data, PathSource, "");
  std::string root = PullString(data, RootSource, Root);
  if (IsRelative(root)) root = toolkit::ProgramFolder() + root;
  ForwardString(data, IsPathInside(path, root) ? Inside : Outside, path);
}
