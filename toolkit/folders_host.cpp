// POSIX: names go through NativeName on the way in and ProgramName on the
// way out. There are no short names: a name cp1251 cannot hold is lost.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "toolkit/folders.h"
#include "toolkit/native_name_host.h"

namespace toolkit {

bool IsExistingFolder(const std::string& name) {
  struct stat info;
  return !name.empty() && stat(NativeName(name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolder(const std::string& name) { return mkdir(NativeName(name).c_str(), 0777) == 0; }

bool SetCurrentFolder(const std::string& name) { return chdir(NativeName(name).c_str()) == 0; }

bool ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
  const std::string native = NativeName(folder);
  std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(native.c_str()), closedir);
  if (!listing) return false;
  while (const dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string programName;
    if (!ProgramName(name, programName)) {
      NoteLostEntry(native + name);
      continue;
    }
    struct stat link, target;
    const std::string path = native + name;
    const bool linked = lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    const bool folder = stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    visit({programName, folder, linked});
  }
  return true;
}

bool IdentifyFolder(const std::string& folder, FolderId& id) {
  struct stat info;
  if (stat(NativeName(folder).c_str(), &info) != 0) return false;
  id = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
  return true;
}

}  // namespace toolkit
