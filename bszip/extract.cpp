#include "bszip/extract.h"

#include <unordered_map>

#include "bszip/names.h"

namespace bszip {

namespace {

class NullSink : public Sink {
 public:
  bool Write(const uint8_t*, size_t) override { return true; }
};

std::string StagedName(size_t k) { return "f" + std::to_string(k); }
std::string KeptName(size_t k) { return "k" + std::to_string(k); }

// Names seen so far, by the file system's comparison key.
class Names {
 public:
  explicit Names(Plan& plan) : plan_(plan) {}

  // path and all its parents as folders.
  Code AddFolders(const std::string& path) {
    for (size_t cut = path.find('/'); ; cut = path.find('/', cut + 1)) {
      const std::string folder = path.substr(0, cut);
      auto found = seen_.emplace(NameKey(folder), true);
      if (!found.second && !found.first->second) return kDuplicate;  // a file of that name
      if (found.second) plan_.folders.push_back(folder);
      if (cut == std::string::npos) return kOk;
    }
  }
  Code AddFile(const std::string& path) {
    return seen_.emplace(NameKey(path), false).second ? kOk : kDuplicate;
  }

 private:
  Plan& plan_;
  std::unordered_map<std::string, bool> seen_;  // true: a folder
};

std::string Parent(const std::string& path) {
  size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// Removes a destination made for this extraction when the extraction fails.
class MadeDestination {
 public:
  explicit MadeDestination(Target& target) : target_(target) {}
  ~MadeDestination() {
    if (!used_) target_.UnmakeDestination();
  }
  MadeDestination(const MadeDestination&) = delete;
  MadeDestination& operator=(const MadeDestination&) = delete;
  void Used() { used_ = true; }

 private:
  Target& target_;
  bool used_ = false;
};

// Removes the staging folder on every way out.
class Staging {
 public:
  explicit Staging(Target& target) : target_(target) {}
  ~Staging() { target_.RemoveStaging(); }
  Staging(const Staging&) = delete;
  Staging& operator=(const Staging&) = delete;

 private:
  Target& target_;
};

}  // namespace

Code MakePlan(const std::vector<Entry>& entries, bool keepPaths, Plan& plan) {
  plan = Plan();
  Names names(plan);
  uint64_t declared = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (!e.nameValid) return kUnsafeName;
    if (Code c = CheckName(e.name)) return c;
    if (e.IsLink() || e.Encrypted() || (e.method != 0 && e.method != 8)) return kUnsupported;
    if (e.IsFolder()) {
      if (e.size != 0) return kUnsupported;
      if (!keepPaths) continue;
      if (Code c = names.AddFolders(e.name.substr(0, e.name.size() - 1))) return c;
      continue;
    }
    if (IsExecutableName(e.name)) return kExecutable;
    declared += e.size;
    if (e.size > kMaxEntrySize || declared > kMaxTotalSize) return kTooLarge;
    if (e.size > kFreeRatioBytes && e.size / kMaxRatio > e.compressedSize) return kTooLarge;
    const std::string path = keepPaths ? e.name : LastPart(e.name);
    const std::string parent = Parent(path);
    if (!parent.empty())
      if (Code c = names.AddFolders(parent)) return c;
    if (Code c = names.AddFile(path)) return c;
    plan.files.push_back({i, path});
  }
  return kOk;
}

Code Extract(Bytes archive, const std::vector<Entry>& entries, Target* target, const Options& options,
             const ProgressFunction& progress) {
  Plan plan;
  if (Code c = MakePlan(entries, options.keepPaths, plan)) return c;
  const int32_t count = static_cast<int32_t>(plan.files.size());
  auto report = [&](size_t done) {
    if (progress) progress(static_cast<int32_t>(done), count);
  };
  uint64_t total = 0;

  if (options.testOnly) {
    NullSink sink;
    report(0);
    for (size_t k = 0; k < plan.files.size(); ++k) {
      if (Code c = InflateEntry(archive, entries[plan.files[k].entry], sink, total)) return c;
      report(k + 1);
    }
    return kOk;
  }
  if (!target) return kBadArgument;

  // Everything that can be known about the destination, before writing.
  if (!target->OpenDestination(options.createDestination)) return kCannotWrite;
  MadeDestination made(*target);  // after the staging folder beside it is gone
  for (const std::string& folder : plan.folders)
    if (!target->Inside(folder)) return kUnsafeName;
  for (const Plan::File& file : plan.files)
    if (!target->Inside(file.path)) return kUnsafeName;
  for (const std::string& folder : plan.folders) {
    const Target::Kind kind = target->KindOf(folder);
    if (kind != Target::kNothing && kind != Target::kFolder) return kInTheWay;
  }
  std::vector<bool> existing(plan.files.size());
  for (size_t k = 0; k < plan.files.size(); ++k) {
    const std::string& path = plan.files[k].path;
    const Target::Kind kind = target->KindOf(path);
    if (kind == Target::kFolder || kind == Target::kOther) return kInTheWay;
    if (kind == Target::kFile && !options.replace) return kInTheWay;
    existing[k] = kind == Target::kFile;
  }

  // Every file inflated, checked and flushed into the staging folder.
  if (!target->MakeStaging()) return kCannotWrite;
  Staging staging(*target);
  report(0);
  for (size_t k = 0; k < plan.files.size(); ++k) {
    std::unique_ptr<StagedFile> file = target->Stage(StagedName(k));
    if (!file) return kCannotWrite;
    const Code c = InflateEntry(archive, entries[plan.files[k].entry], *file, total);
    const bool finished = file->Finish();
    if (c) return c;
    if (!finished) return kCannotWrite;
    report(k + 1);
  }
  if (!target->FlushStaged()) return kCannotWrite;
  // The files about to be replaced stay reachable, so that a failed move
  // can be undone.
  for (size_t k = 0; k < plan.files.size(); ++k)
    if (existing[k] && !target->Keep(plan.files[k].path, KeptName(k))) return kCannotWrite;

  // Into place. Each move is atomic: a crash leaves the old or the new file.
  std::vector<const std::string*> madeFolders;
  size_t moved = 0;
  bool failed = false;
  for (const std::string& folder : plan.folders) {
    if (target->KindOf(folder) == Target::kFolder) continue;
    if (!target->MakeFolder(folder)) {
      failed = true;
      break;
    }
    madeFolders.push_back(&folder);
  }
  for (; !failed && moved < plan.files.size(); ++moved) {
    if (!target->MoveIn(StagedName(moved), plan.files[moved].path)) {
      failed = true;
      break;
    }
  }
  if (!failed) {
    target->Settle();
    made.Used();
    return kOk;
  }

  // Undo: the old files back, the new ones and the new folders away.
  for (size_t k = moved; k-- > 0;) {
    const std::string& path = plan.files[k].path;
    if (existing[k])
      target->MoveIn(KeptName(k), path);
    else
      target->RemoveFile(path);
  }
  for (size_t i = madeFolders.size(); i-- > 0;) target->RemoveFolder(*madeFolders[i]);
  target->Settle();
  return kCannotWrite;
}

}  // namespace bszip
