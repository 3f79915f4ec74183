// Folders of the file system. Names are cp1251 byte strings with "\" between
// the parts. One implementation per platform: folders_win.cpp (Win32) and
// folders_host.cpp (POSIX, see native_name_host.h for the names).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace toolkit {

bool IsExistingFolder(const std::string& name);
// Creates one folder whose parent exists; false when it cannot.
bool MakeFolder(const std::string& name);
bool SetCurrentFolder(const std::string& name);

struct FolderEntry {
  std::string name;  // without the folder
  bool folder;
  bool linked;       // a symbolic link or junction
};
// Calls `visit` for every entry of `folder` (ending in "\") except "." and
// "..", in the order the system gives them, while the listing is open.
// False when the folder cannot be listed.
bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit);

// What tells one folder from every other: volume and index on that volume.
using FolderId = std::pair<uint64_t, uint64_t>;
bool IdentifyFolder(const std::string& folder, FolderId& id);

}  // namespace toolkit
