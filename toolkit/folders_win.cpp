#include <windows.h>

#include "toolkit/cp1251_win.h"
#include "toolkit/folders.h"
#include "toolkit/short_names_win.h"

namespace toolkit {

namespace {
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};
}  // namespace

bool IsExistingFolder(const std::string& name) {
  DWORD attributes = GetFileAttributesW(Widen(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolder(const std::string& name) { return CreateDirectoryW(Widen(name).c_str(), nullptr) != 0; }

bool SetCurrentFolder(const std::string& name) { return SetCurrentDirectoryW(Widen(name).c_str()) != 0; }

// The long name where cp1251 holds it, else the short one.
static bool NameOf(const WIN32_FIND_DATAW& found, std::string& name) {
  if (NarrowExactly(found.cFileName, name)) return true;
  const std::wstring brief = ShortName(found);
  return !brief.empty() && NarrowExactly(brief, name);
}

bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
  WIN32_FIND_DATAW found;
  FindHandle listing(FindFirstFileW(Widen(folder + "*.*").c_str(), &found));
  if (!listing.Valid()) return false;
  do {
    std::string name;
    if (!NameOf(found, name)) {
      const std::wstring lost = Widen(folder) + found.cFileName;
      NoteLostEntry(NarrowTo(CP_UTF8, lost.data(), static_cast<int>(lost.size())));
      continue;
    }
    if (name == "." || name == "..") continue;
    visit({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
           (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileW(listing.Get(), &found));
  return true;
}

bool IdentifyFolder(const std::string& folder, FolderId& id) {
  HANDLE h = CreateFileW(Widen(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  if (known) id = {info.dwVolumeSerialNumber, uint64_t(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
  return known;
}

}  // namespace toolkit
