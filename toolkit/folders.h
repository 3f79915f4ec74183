// Folders of the file system. Names are cp1251 byte strings with "\" between
// the parts. One implementation per platform: folders_win.cpp (Win32) and
// folders_host.cpp (POSIX, see native_name_host.h for the names).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace toolkit {

bool IsExistingFolder(const std::string& name);
// Creates one folder whose parent exists; false when it cannot.
bool MakeFolder(const std::string& name);
bool SetCurrentFolder(const std::string& name);

struct FolderEntry {
  std::string name;  // without the folder; its short (8.3) form where cp1251 lacks a letter of it
  bool folder;
  bool linked;       // a symbolic link or junction
};
// Calls `visit` for every entry of `folder` (ending in "\") except "." and
// "..", in the order the system gives them, while the listing is open.
// False when the folder cannot be listed. An entry that has no name in
// cp1251 is passed over and noted below.
bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit);

// Entries whose names fit cp1251 neither as they are nor in a short form:
// by the "?" name they would get no call could open them, so instead of
// showing them the program tells the user which to rename.
struct LostEntries {
  std::vector<std::string> paths;  // UTF-8, the first kKept of them
  size_t count = 0;                // all of them
  static constexpr size_t kKept = 10;
};
inline LostEntries lostEntries;
inline void NoteLostEntry(std::string utf8Path) {
  if (lostEntries.paths.size() < LostEntries::kKept) lostEntries.paths.push_back(std::move(utf8Path));
  ++lostEntries.count;
}
// The entries noted since the last call.
inline LostEntries TakeLostEntries() { return std::exchange(lostEntries, LostEntries()); }

// What tells one folder from every other: volume and index on that volume.
using FolderId = std::pair<uint64_t, uint64_t>;
bool IdentifyFolder(const std::string& folder, FolderId& id);

}  // namespace toolkit
