// The file-system side of an extraction, one implementation per platform:
// target_win.cpp (wide-character Win32 calls) and target_posix.cpp (host
// builds, for tests and benchmarks). Paths inside the destination are
// relative UTF-8 with "/" between the parts, already checked by the caller;
// files in the staging folder have flat names of the caller's choosing.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "bszip/archive.h"

namespace bszip {

// A new file in the staging folder.
class StagedFile : public Sink {
 public:
  // Closes the file; false when anything failed. The data may still be on
  // its way to the disk (see Target::WriteJournal).
  virtual bool Finish() = 0;
};

class Target {
 public:
  enum Kind { kNothing, kFile, kFolder, kLink, kOther };  // kLink: a link or junction; kOther: a device, ...
  enum Left { kNoStaging, kStagingLeft, kStagingInUse };

  virtual ~Target() = default;

  // The destination is an existing folder, made with its parents when
  // create is set; false otherwise.
  virtual bool OpenDestination(bool create) = 0;
  // Removes again the folders OpenDestination made, when nothing came of it.
  virtual void UnmakeDestination() = 0;
  // What is at the path now, the path's last part not followed when a link.
  virtual Kind KindOf(const std::string& path) = 0;
  // The path stays inside the destination after the platform's own
  // normalisation and fits the platform's longest path. One look at the
  // text, no file-system call: links on the way are found by KindOf.
  virtual bool Inside(const std::string& path) = 0;
  virtual bool ReadOnly(const std::string& path) = 0;
  virtual bool SetReadOnly(const std::string& path, bool readOnly) = 0;

  // The staging folder (kStagingName, hidden, inside the destination) is
  // held by one target at a time, from the moment it is made or found until
  // it is removed or the target goes: another process finds it in use.
  // FindStaging looks for one an earlier extraction left, and reads its
  // journal ("" when there is none). kStagingInUse also when the journal is
  // there but cannot be read: then it is left alone, copies and all.
  virtual Left FindStaging(std::string& journal) = 0;
  // A new, empty staging folder with an empty journal.
  virtual bool MakeStaging() = 0;
  virtual std::unique_ptr<StagedFile> Stage(const std::string& name) = 0;
  // The existing file at path is kept under the staged name, to be moved
  // back if the extraction has to be undone: a copy on Windows, a hard link
  // (or a copy) elsewhere.
  virtual bool Keep(const std::string& path, const std::string& name) = 0;
  // Puts every staged file and kept copy on the disk, then the journal, so
  // that no move ever puts a half-written file in place and every move can
  // be undone after a power loss. Flushing them all at once lets the system
  // write them while others are inflated.
  virtual bool WriteJournal(const std::string& text) = 0;
  virtual bool HasStaged(const std::string& name) = 0;
  // Removes the journal (gone from the disk before anything else goes), then
  // the staged files and kept copies, then the folder; nothing else in it.
  virtual void RemoveStaging() = 0;

  virtual bool MakeFolder(const std::string& path) = 0;
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Moves a staged file to path in one atomic step, replacing a file there.
  virtual bool MoveIn(const std::string& name, const std::string& path) = 0;
  // Waits until the moves are on the disk.
  virtual void Settle() = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
};

// A read-only view of a whole file.
class MappedFile {
 public:
  virtual ~MappedFile() = default;
  virtual Bytes View() const = 0;
};

// Null when the file cannot be opened or mapped. The path is the caller's
// text (code page 1251 on Windows, UTF-8 elsewhere).
std::unique_ptr<MappedFile> MapFile(const char* path);
// The target for a destination folder given in the caller's text; nothing
// is looked at until it is used.
std::unique_ptr<Target> MakeTarget(const char* destination);
// A relative entry path in the caller's text, with the platform's separator.
std::string CallerText(const std::string& path);

}  // namespace bszip
