// Arbitrary bytes as a zip archive through the reader, the checks, the
// inflater and the all-or-nothing extraction into a file system held in
// memory, with one move made to fail where the input says.
#include <zlib.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "bszip/extract.h"
#include "bszip/names.h"

namespace {

using namespace bszip;

void Check(bool holds) {
  if (!holds) std::abort();
}

struct Disk {
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  bool operator==(const Disk& o) const { return files == o.files && folders == o.folders; }
};

class MemoryFile : public StagedFile {
 public:
  explicit MemoryFile(std::string& bytes) : bytes_(bytes) {}
  bool Write(const uint8_t* data, size_t size) override {
    bytes_.append(reinterpret_cast<const char*>(data), size);
    return true;
  }
  bool Finish() override { return true; }

 private:
  std::string& bytes_;
};

class MemoryTarget : public Target {
 public:
  MemoryTarget(Disk& disk, size_t failAt) : disk_(disk), failAt_(failAt) {}
  bool OpenDestination(bool) override { return true; }
  void UnmakeDestination() override {}
  Kind KindOf(const std::string& p) override {
    return disk_.files.count(p) ? kFile : disk_.folders.count(p) ? kFolder : kNothing;
  }
  bool Inside(const std::string& p) override { return CheckName(p) == kOk; }
  bool MakeStaging() override { return staging_ = true; }
  std::unique_ptr<StagedFile> Stage(const std::string& n) override {
    Check(staging_ && !staged_.count(n));
    return std::make_unique<MemoryFile>(staged_[n]);
  }
  bool FlushStaged() override { return staging_; }
  void Settle() override {}
  bool Keep(const std::string& p, const std::string& n) override {
    Check(disk_.files.count(p) == 1);
    staged_[n] = disk_.files[p];
    return true;
  }
  void RemoveStaging() override {
    staging_ = false;
    staged_.clear();
  }
  bool MakeFolder(const std::string& p) override {
    Check(KindOf(p) == kNothing);
    return disk_.folders.insert(p).second;
  }
  bool RemoveFolder(const std::string& p) override { return disk_.folders.erase(p) == 1; }
  bool MoveIn(const std::string& n, const std::string& p) override {
    if (moves_++ == failAt_) return false;
    Check(staged_.count(n) == 1 && KindOf(p) != kFolder);
    disk_.files[p] = staged_[n];
    staged_.erase(n);
    return true;
  }
  bool RemoveFile(const std::string& p) override { return disk_.files.erase(p) == 1; }
  bool StagingLeft() const { return staging_; }

 private:
  Disk& disk_;
  size_t failAt_;
  size_t moves_ = 0;
  bool staging_ = false;
  std::map<std::string, std::string> staged_;
};

class Collect : public Sink {
 public:
  bool Write(const uint8_t* data, size_t size) override {
    bytes.append(reinterpret_cast<const char*>(data), size);
    return true;
  }
  std::string bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Bytes archive{data, size};
  std::vector<Entry> entries;
  if (ReadArchive(archive, entries) != kOk) return 0;
  for (const Entry& e : entries) Check(e.dataOffset <= size && e.compressedSize <= size - e.dataOffset);

  Plan plan;
  const Code planned = MakePlan(entries, true, plan);
  if (planned == kOk) {
    for (const Plan::File& f : plan.files) Check(CheckName(f.path) == kOk && !IsExecutableName(f.path));
  }
  // Every entry inflated on its own: what is accepted has the declared
  // size and CRC.
  uint64_t total = 0;
  for (const Entry& e : entries) {
    Collect sink;
    const uint64_t before = total;
    if (InflateEntry(archive, e, sink, total) != kOk) continue;
    Check(sink.bytes.size() == e.size && total - before == e.size);
    Check(crc32_z(0, reinterpret_cast<const Bytef*>(sink.bytes.data()), sink.bytes.size()) == e.crc);
  }

  // All or nothing, with one move failing when the input's size says so.
  Disk disk;
  disk.files = {{"replace.txt", "old"}, {"a", "old a"}, {"sub/kept.txt", "kept"}};
  disk.folders = {"sub"};
  const Disk before = disk;
  MemoryTarget target(disk, size % (plan.files.size() + 2));
  const Code extracted = Extract(archive, entries, &target, Options(), nullptr);
  Check(!target.StagingLeft());
  if (extracted != kOk) {
    Check(disk == before);
  } else {
    Check(planned == kOk);
    for (const Plan::File& f : plan.files) Check(disk.files[f.path].size() == entries[f.entry].size);
    for (const std::string& folder : plan.folders) Check(disk.folders.count(folder) == 1);
  }
  Options testOnly;
  testOnly.testOnly = true;
  const Code tested = Extract(archive, entries, nullptr, testOnly, nullptr);
  // Test mode reads the same way; only the file system can fail it apart.
  if (extracted == kCannotWrite)
    Check(tested == kOk);
  else if (extracted != kInTheWay)
    Check(tested == extracted);
  return 0;
}
