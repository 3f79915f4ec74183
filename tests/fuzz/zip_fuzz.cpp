// Arbitrary bytes as a zip archive through the reader, the checks, the
// inflater and the all-or-nothing extraction into a file system held in
// memory, with a move made to fail, or the process to die, where the input
// says; then the recovery of the next start.
#include <zlib.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "bszip/extract.h"
#include "bszip/journal.h"
#include "bszip/names.h"

namespace {

using namespace bszip;

void Check(bool holds) {
  if (!holds) std::abort();
}

struct Disk {
  std::map<std::string, std::string> files;
  std::set<std::string> folders, readOnly;
  bool operator==(const Disk& o) const { return files == o.files && folders == o.folders && readOnly == o.readOnly; }
  // The staging folder, which outlives a process that dies.
  bool staging = false;
  std::string journal;
  std::map<std::string, std::string> staged;
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

// From move `at` on, by mode: that move fails; every move fails; or the
// process dies (nothing more changes the disk). Moves onto read-only files
// are refused, as Windows refuses them.
class MemoryTarget : public Target {
 public:
  enum Mode { kFailMove, kFailUndo, kDie };
  MemoryTarget(Disk& disk, size_t at, Mode mode) : disk_(disk), at_(at), mode_(mode) {}
  bool OpenDestination(bool) override { return true; }
  void UnmakeDestination() override {}
  Kind KindOf(const std::string& p) override {
    return disk_.files.count(p) ? kFile : disk_.folders.count(p) ? kFolder : kNothing;
  }
  bool Inside(const std::string& p) override { return CheckName(p) == kOk; }
  bool ReadOnly(const std::string& p) override { return disk_.readOnly.count(p) == 1; }
  bool SetReadOnly(const std::string& p, bool on) override {
    if (!dead_ && disk_.files.count(p)) on ? (void)disk_.readOnly.insert(p) : (void)disk_.readOnly.erase(p);
    return !dead_;
  }
  Left FindStaging(std::string& journal) override {
    journal = disk_.journal;
    return disk_.staging ? kStagingLeft : kNoStaging;
  }
  bool MakeStaging() override { return !disk_.staging && (disk_.staging = true); }
  std::unique_ptr<StagedFile> Stage(const std::string& n) override {
    Check(disk_.staging && !disk_.staged.count(n));
    return std::make_unique<MemoryFile>(disk_.staged[n]);
  }
  bool Keep(const std::string& p, const std::string& n) override {
    Check(disk_.files.count(p) == 1);
    disk_.staged[n] = disk_.files[p];
    return true;
  }
  bool WriteJournal(const std::string& text) override { return !(disk_.journal = text).empty(); }
  bool HasStaged(const std::string& n) override { return disk_.staged.count(n) == 1; }
  void Settle() override { dead_ = dead_ || (mode_ == kDie && moves_ == at_); }
  void RemoveStaging() override {
    if (!dead_) disk_.staging = false, disk_.journal.clear(), disk_.staged.clear();
  }
  bool MakeFolder(const std::string& p) override {
    Check(KindOf(p) == kNothing);
    return !dead_ && disk_.folders.insert(p).second;
  }
  bool RemoveFolder(const std::string& p) override { return !dead_ && disk_.folders.erase(p) == 1; }
  bool MoveIn(const std::string& n, const std::string& p) override {
    const size_t move = moves_++;
    dead_ = dead_ || (mode_ == kDie && move == at_);
    if (dead_ || move == at_ || (mode_ == kFailUndo && move > at_) || disk_.readOnly.count(p)) return false;
    Check(disk_.staged.count(n) == 1 && KindOf(p) != kFolder);
    disk_.files[p] = disk_.staged[n];
    disk_.staged.erase(n);
    return true;
  }
  bool RemoveFile(const std::string& p) override { return !dead_ && disk_.files.erase(p) == 1; }
  bool Died() const { return dead_; }

 private:
  Disk& disk_;
  size_t at_;
  Mode mode_;
  size_t moves_ = 0;
  bool dead_ = false;
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
    for (const Plan::File& f : plan.files) Check(CheckName(plan.Path(f)) == kOk && !IsExecutableName(f.part));
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

  // All or nothing, with a move failing (or the process dying) where the
  // input's size says; then the recovery a next start runs, which must
  // leave the folder all old unless the extraction ended well.
  Disk disk;
  disk.files = {{"replace.txt", "old"}, {"a", "old a"}, {"sub/kept.txt", "kept"}};
  disk.folders = {"sub"};
  disk.readOnly = {"a"};
  const Disk before = disk;
  MemoryTarget target(disk, size % (plan.files.size() + 2), static_cast<MemoryTarget::Mode>(size / 7 % 3));
  const Code extracted = Extract(archive, entries, &target, Options(), nullptr);
  Check(target.Died() || (extracted == kUndoFailed) == disk.staging);
  MemoryTarget next(disk, SIZE_MAX, MemoryTarget::kFailMove);
  Check(Recover(next) == kOk && !disk.staging);
  if (extracted != kOk || target.Died()) {
    Check(disk == before);
  } else {
    Check(planned == kOk);
    for (const Plan::File& f : plan.files) Check(disk.files[plan.Path(f)].size() == entries[f.entry].size);
    for (size_t i = 0; i < plan.folders.size(); ++i) Check(disk.folders.count(plan.FolderPath(i)) == 1);
  }
  Options testOnly;
  testOnly.testOnly = true;
  const Code tested = Extract(archive, entries, nullptr, testOnly, nullptr);
  // Test mode reads the same way; only the file system can fail it apart.
  if (extracted == kCannotWrite || extracted == kUndoFailed)
    Check(tested == kOk);
  else if (extracted != kInTheWay)
    Check(tested == extracted);
  return 0;
}
