// The update archive: every file of the data folder under its path relative
// to that folder, which is where Ostrel unpacks it ("sources/wall.wgw"),
// deflated; and the checks Ostrel's zip library makes before it unpacks
// anything, run on the archive as it was built.
#pragma once
#include <string>
#include <vector>

namespace publish {

struct DataFile {
  std::string path;  // relative, UTF-8, "/" between the parts
  std::string full;  // as the file system names it
};

// The folder's files that can be packed, sorted by path; a problem ("path:
// why") for each one that cannot be published as it is. None when they are
// too many or too large to pack.
std::vector<DataFile> ListData(const std::string& folder, std::vector<std::string>& problems);

// A zip archive in memory, through libzip.
bool BuildArchive(const std::vector<DataFile>& files, std::string& zip, std::string& error);

// Every reason the zip library would give for refusing the archive.
std::vector<std::string> CheckArchive(const std::string& zip);

}  // namespace publish
