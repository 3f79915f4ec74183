// Extracting a whole archive, all or nothing: every entry is checked before
// anything is written, every file is inflated and checked into a staging
// folder, and only then are the files moved into the destination. Platform-
// neutral; the file system is reached through a Target.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "bszip/archive.h"
#include "bszip/target.h"

namespace bszip {

struct Options {
  bool keepPaths = true;
  bool replace = true;
  bool createDestination = true;
  bool testOnly = false;
};

// What an extraction writes, in order: folders (parents first), then files.
struct Plan {
  std::vector<std::string> folders;
  struct File {
    size_t entry;      // index into the entries
    std::string path;  // relative, "/" between the parts
  };
  std::vector<File> files;
};

// Checks every entry (names, links, encryption, methods, file types,
// duplicates, declared sizes) and lays out what would be written.
Code MakePlan(const std::vector<Entry>& entries, bool keepPaths, Plan& plan);

// Called with (files read and checked, files to write).
using ProgressFunction = std::function<void(int32_t done, int32_t total)>;

// target may be null with options.testOnly.
Code Extract(Bytes archive, const std::vector<Entry>& entries, Target* target, const Options& options,
             const ProgressFunction& progress);

}  // namespace bszip
