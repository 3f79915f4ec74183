#include "bszip/extract.h"

#include <algorithm>
#include <unordered_map>

#include "bszip/names.h"

namespace bszip {

namespace {

class NullSink : public Sink {
 public:
  bool Write(const uint8_t*, size_t) override { return true; }
};

// Names seen so far, as a tree keyed by the parent's index and the part as
// the file system compares it: one lookup per part, however deep the path.
class Names {
 public:
  Names(Plan& plan, size_t parts) : plan_(plan) { nodes_.reserve(parts); }

  // Adds path (a file, or a folder when folder is set) and the folders it
  // is in; parent receives the innermost of them.
  Code Add(const std::string& path, bool folder, size_t& parent) {
    const std::string key = NameKey(path);
    parent = kTop;
    for (size_t from = 0, keyFrom = 0;;) {
      const size_t cut = path.find('/', from), keyCut = key.find('/', keyFrom);
      const bool last = cut == std::string::npos;
      node_.assign(reinterpret_cast<const char*>(&parent), sizeof parent);
      node_.append(key, keyFrom, keyCut - keyFrom);
      if (last && !folder) return nodes_.emplace(node_, kFile).second ? kOk : kDuplicate;
      const auto found = nodes_.emplace(node_, plan_.folders.size());
      if (!found.second && found.first->second == kFile) return kDuplicate;
      if (found.second) plan_.folders.push_back({parent, path.substr(from, cut - from), last});
      if (last) {
        plan_.folders[found.first->second].named = true;
        return kOk;
      }
      parent = found.first->second;
      from = cut + 1;
      keyFrom = keyCut + 1;
    }
  }

 private:
  static constexpr size_t kFile = kTop - 1;
  Plan& plan_;
  std::unordered_map<std::string, size_t> nodes_;  // to a folder's index, or kFile
  std::string node_;  // the key being looked up: the parent's index, then the part
};

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

// Removes the staging folder on every way out but one: a failed undo,
// whose copies of the user's files must stay.
class Staging {
 public:
  explicit Staging(Target& target) : target_(target) {}
  ~Staging() {
    if (!kept_) target_.RemoveStaging();
  }
  Staging(const Staging&) = delete;
  Staging& operator=(const Staging&) = delete;
  void Keep() { kept_ = true; }

 private:
  Target& target_;
  bool kept_ = false;
};

// Everything that can be known about the destination before writing, and
// the journal that records it. One look at each folder and file whose
// folder is there already: inside a new folder there is nothing to see.
Code Judge(const Plan& plan, Target& target, bool replace, Journal& journal) {
  for (size_t i = 0; i < plan.folders.size(); ++i) {
    const Plan::Folder& folder = plan.folders[i];
    journal.folders.push_back({folder.parent, true, folder.part});
    const bool inNew = folder.parent != kTop && journal.folders[folder.parent].made;
    if (inNew && !folder.named) continue;
    const std::string path = journal.FolderPath(i);
    if (folder.named && !target.Inside(path)) return kUnsafeName;
    if (inNew) continue;
    const Target::Kind kind = target.KindOf(path);
    if (kind == Target::kLink) return kUnsafeName;
    if (kind != Target::kNothing && kind != Target::kFolder) return kInTheWay;
    journal.folders[i].made = kind == Target::kNothing;
  }
  for (const Plan::File& file : plan.files) {
    const std::string path = plan.Path(file);
    if (!target.Inside(path)) return kUnsafeName;
    const bool inNew = file.parent != kTop && journal.folders[file.parent].made;
    const Target::Kind kind = inNew ? Target::kNothing : target.KindOf(path);
    if (kind == Target::kLink) return kUnsafeName;
    if (kind == Target::kFolder || kind == Target::kOther) return kInTheWay;
    if (kind == Target::kFile && !replace) return kInTheWay;
    const bool kept = kind == Target::kFile;
    journal.files.push_back({path, kept, kept && target.ReadOnly(path)});
  }
  return kOk;
}

}  // namespace

Code MakePlan(const std::vector<Entry>& entries, bool keepPaths, Plan& plan) {
  plan = Plan();
  size_t parts = 0;  // at most, in names that pass the checks
  for (const Entry& e : entries)
    parts += std::min<size_t>(kMaxNameParts, 1 + std::count(e.name.begin(), e.name.end(), '/'));
  Names names(plan, parts);
  uint64_t declared = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (!e.nameValid) return kUnsafeName;
    if (Code c = CheckName(e.name)) return c;
    if (e.IsLink() || e.Encrypted() || (e.method != 0 && e.method != 8)) return kUnsupported;
    size_t parent;
    if (e.IsFolder()) {
      if (e.size != 0) return kUnsupported;
      if (!keepPaths) continue;
      if (Code c = names.Add(e.name.substr(0, e.name.size() - 1), true, parent)) return c;
      continue;
    }
    if (IsExecutableName(e.name)) return kExecutable;
    declared += e.size;
    if (e.size > kMaxEntrySize || declared > kMaxTotalSize) return kTooLarge;
    if (e.size > kFreeRatioBytes && e.size / kMaxRatio > e.compressedSize) return kTooLarge;
    if (Code c = names.Add(keepPaths ? e.name : LastPart(e.name), false, parent)) return c;
    plan.files.push_back({i, parent, LastPart(e.name)});
  }
  return kOk;
}

Code Extract(Bytes archive, const std::vector<Entry>& entries, Target* target, const Options& options,
             const ProgressFunction& progress, size_t* blocked) {
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

  if (!target->OpenDestination(options.createDestination)) return kCannotWrite;
  MadeDestination made(*target);  // after the staging folder in it is gone
  // What a crash left here is undone first, so that the judging below sees
  // the destination as it was before.
  if (Code c = Recover(*target)) return c;
  Journal journal;
  if (Code c = Judge(plan, *target, options.replace, journal)) return c;

  // Every file inflated and checked into the staging folder, the files about
  // to be replaced kept, so that every move can be undone.
  Staging staging(*target);
  if (!target->MakeStaging()) return kCannotWrite;
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
  for (size_t k = 0; k < journal.files.size(); ++k)
    if (journal.files[k].kept && !target->Keep(journal.files[k].path, KeptName(k))) return kCannotWrite;
  if (!target->WriteJournal(journal.Text())) return kCannotWrite;

  // Into place. Each move is atomic, and the journal on the disk says how to
  // undo them: a crash leaves a folder that Recover makes whole again.
  size_t failed;
  if (Apply(*target, journal, failed)) {
    target->Settle();
    made.Used();
    return kOk;
  }
  if (!RollBack(*target, journal)) {
    staging.Keep();
    made.Used();
    return kUndoFailed;
  }
  if (blocked && failed != kTop) *blocked = plan.files[failed].entry;
  return kCannotWrite;
}

}  // namespace bszip
