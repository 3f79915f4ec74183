// The journal of an extraction's moves, written to the staging folder and
// put on the disk before the first move: whoever finds it later (the next
// extraction into the folder, or the program's start-up) can undo an apply
// that a crash or a failed undo left half done. Platform-neutral; the file
// system is reached through a Target.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "bszip/codes.h"
#include "bszip/target.h"

namespace bszip {

// Names in the staging folder: file k is staged as "f<k>" and, when it
// replaces one, the old one is kept as "k<k>".
std::string StagedName(size_t k);
std::string KeptName(size_t k);
constexpr char kJournalName[] = "journal";
// One of the three kinds of name above: the only files RemoveStaging takes.
bool IsStagingFile(const std::string& name);

// The relative path of folder i of a tree kept as {parent, part} records,
// parents first; kTop is the destination.
constexpr size_t kTop = static_cast<size_t>(-1);
template <class Folders>
std::string PathOf(const Folders& folders, size_t i) {
  std::vector<const std::string*> parts;
  size_t length = 0;
  for (; i != kTop; i = folders[i].parent) {
    parts.push_back(&folders[i].part);
    length += folders[i].part.size() + 1;
  }
  std::string path;
  path.reserve(length);
  for (size_t n = parts.size(); n-- > 0;) {
    path += *parts[n];
    if (n) path += '/';
  }
  return path;
}

struct Journal {
  struct Folder {
    size_t parent;  // index of the folder it is in, or kTop
    bool made;      // made by this apply: to be removed again on undo
    std::string part;
  };
  struct File {
    std::string path;
    bool kept;      // replaces a file, kept as KeptName
    bool readOnly;  // that file was read-only: its attribute comes back on undo
  };
  std::vector<Folder> folders;  // parents first
  std::vector<File> files;      // file k is staged as StagedName(k)

  std::string FolderPath(size_t i) const { return PathOf(folders, i); }
  // One line per folder and per file, and a check sum at the end: a journal
  // cut short by a crash does not parse, and then no move had been made.
  std::string Text() const;
  bool Parse(const std::string& text);
};

// Makes the new folders and moves the staged files in, clearing a read-only
// attribute that would stop the move. False at the first failure, with
// failed set to the file that could not be moved in (or kTop).
bool Apply(Target& target, const Journal& journal, size_t& failed);

// Puts the destination back as it was before Apply, wherever Apply got to:
// the kept files back, the new ones and the new folders away, read-only
// attributes back. A staged file still in the staging folder was not moved.
// True when everything is back; it can be run again after a failure.
bool RollBack(Target& target, const Journal& journal);

// Finishes what an earlier extraction left in target's destination: rolls
// back an apply its journal records and removes the staging folder. kOk
// also when there is nothing; kBusy when another process holds the staging
// folder; kUndoFailed when a file cannot be put back (the staging folder
// and its copies stay, for the next try).
Code Recover(Target& target);

}  // namespace bszip
