#include "components/files/file_search.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/folders.h"

std::string LowerLatin(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

static bool MatchOne(char c, char m) {
  if (m == '?') return true;
  if (m == '#') return c >= '0' && c <= '9';
  return c == m;
}

// Each "*" takes the shortest run first and grows it only when the rest
// fails. Going back to the latest "*" alone is enough: an earlier one can
// never make a match that the later one could not, so this decides in
// O(name × mask) even for masks with many stars.
bool MatchMask(const std::string& name, const std::string& mask) {
  size_t n = 0, m = 0;
  size_t star = std::string::npos, resume = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      star = m++;
      resume = n;
    } else if (m < mask.size() && MatchOne(name[n], mask[m])) {
      ++n;
      ++m;
    } else if (star != std::string::npos) {
      m = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

void TKestoFileSearch::Search(TData& data, uint16_t) {
  std::string folder = PullString(data, DirSource, Dir);
  mask_ = LowerLatin(PullString(data, MaskSource, Mask));
  if (folder.empty()) return;
  if (folder.back() != '\\') folder += '\\';
  if (mask_.empty()) mask_ = "*";
  count_ = 0;
  Forget();
  List(folder, false);
  Forget();
  ForwardInteger(data, Finished, count_);
}

void TKestoFileSearch::Forget() {
  listed_.clear();
  unidentified_.clear();
}

void TKestoFileSearch::Report(const std::string& folder, const std::string& name) {
  FireString(Found, FullName ? folder + name : name);
}

// Only a linked folder (symbolic link, junction) can lead the search back
// to a folder it has listed, up the tree or beside it: it is entered only
// when its volume and file index are new. Plain folders are always listed:
// that index is not unique on every file system (ReFS, some network
// shares), and reading it costs a handle, so the plain folders listed are
// identified only once a linked folder has to be compared with them. A
// linked folder whose identity cannot be read is not entered.
bool TKestoFileSearch::FirstVisit(const std::string& folder, bool linked) {
  if (!linked) {
    unidentified_.push_back(folder);
    return true;
  }
  toolkit::FolderId id;
  for (const std::string& listed : unidentified_)
    if (Identify(listed, id)) listed_.insert(id);
  unidentified_.clear();
  return Identify(folder, id) && listed_.insert(id).second;
}

void TKestoFileSearch::List(const std::string& folder, bool linked) {
  if (!FirstVisit(folder, linked)) return;
  toolkit::ListFolder(folder, [&](const toolkit::FolderEntry& entry) {
    if (entry.folder) {
      if (Kind != 0) Report(folder, entry.name);
      if (SubfolderMode == 0) List(folder + entry.name + "\\", entry.linked);
    } else if (MatchMask(LowerLatin(entry.name), mask_)) {
      ++count_;
      if (Kind != 1) Report(folder, entry.name);
    } else {
      FireString(Other, folder + entry.name);
    }
  });
}
