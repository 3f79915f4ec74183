// Extracting a whole archive, all or nothing: every entry is checked before
// anything is written, every file is inflated and checked into a staging
// folder, the moves are journaled, and only then are the files moved into
// the destination. Platform-neutral; the file system is reached through a
// Target.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "bszip/archive.h"
#include "bszip/journal.h"
#include "bszip/target.h"

namespace bszip {

struct Options {
  bool keepPaths = true;
  bool replace = true;
  bool createDestination = true;
  bool testOnly = false;
};

// What an extraction writes, in order: folders (parents first), then files,
// as a tree: a folder or file is its parent's index (kTop: the destination)
// and its last part, spelt as the first entry that needs it spells it. Deep
// paths cost no more than their length this way.
struct Plan {
  struct Folder {
    size_t parent;
    std::string part;
    bool named;  // the full path of a folder entry: looked at on its own
  };
  struct File {
    size_t entry;  // index into the entries
    size_t parent;
    std::string part;
  };
  std::vector<Folder> folders;
  std::vector<File> files;

  std::string FolderPath(size_t i) const { return PathOf(folders, i); }
  std::string Path(const File& f) const { return f.parent == kTop ? f.part : FolderPath(f.parent) + "/" + f.part; }
};

// Checks every entry (names, links, encryption, methods, file types,
// duplicates, declared sizes) and lays out what would be written, in time
// linear in the names' length.
Code MakePlan(const std::vector<Entry>& entries, bool keepPaths, Plan& plan);

// Called with (files read and checked, files to write).
using ProgressFunction = std::function<void(int32_t done, int32_t total)>;

// target may be null with options.testOnly. An extraction a crash left in
// the destination is rolled back first (see Recover). When a file of the
// destination cannot be replaced, the result is kCannotWrite and blocked
// (if given) receives its entry's index.
Code Extract(Bytes archive, const std::vector<Entry>& entries, Target* target, const Options& options,
             const ProgressFunction& progress, size_t* blocked = nullptr);

}  // namespace bszip
