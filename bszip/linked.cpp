#include "bszip/linked.h"

#include "bszip/journal.h"
#include "bszip/names.h"

namespace bszip {

namespace {

// destination, a separator unless it ends in one, and the entry path.
std::string Joined(const std::string& destination, const std::string& path) {
  const std::string relative = CallerText(path);
  const char separator = CallerText("/")[0];
  const bool ends = !destination.empty() && (destination.back() == separator || destination.back() == '/');
  return destination + (ends ? "" : std::string(1, separator)) + relative;
}

}  // namespace

int32_t RecoverDestination(const char* destination) {
  std::unique_ptr<Target> target = MakeTarget(destination);
  return target ? Recover(*target) : kBadArgument;
}

std::string StagingFolder(const std::string& destination) { return Joined(destination, kStagingName); }

std::string EntryPath(const std::string& destination, const char* archive, int32_t index) {
  std::unique_ptr<MappedFile> file = MapFile(archive);
  std::vector<Entry> entries;
  if (!file || ReadArchive(file->View(), entries) != kOk || index < 0 ||
      static_cast<size_t>(index) >= entries.size())
    return std::string();
  return Joined(destination, entries[static_cast<size_t>(index)].name);
}

}  // namespace bszip
