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
  // its way to the disk (see Target::FlushStaged).
  virtual bool Finish() = 0;
};

class Target {
 public:
  enum Kind { kNothing, kFile, kFolder, kOther };  // kOther: a link, a device, ...

  virtual ~Target() = default;

  // The destination is an existing folder, made with its parents when
  // create is set; false otherwise.
  virtual bool OpenDestination(bool create) = 0;
  // Removes again the folders OpenDestination made, when nothing came of it.
  virtual void UnmakeDestination() = 0;
  // What is at the path now, the path's last part not followed when a link.
  virtual Kind KindOf(const std::string& path) = 0;
  // The path stays inside the destination after the platform's own
  // normalisation, and nothing on it that exists already is a link.
  virtual bool Inside(const std::string& path) = 0;

  // A new, empty staging folder beside the destination.
  virtual bool MakeStaging() = 0;
  virtual std::unique_ptr<StagedFile> Stage(const std::string& name) = 0;
  // Waits until every staged file is on the disk, so that a move never
  // puts a half-written file in place, even after a power loss. Flushing
  // them all at once lets the system write them while others are inflated.
  virtual bool FlushStaged() = 0;
  // The existing file at path is kept under the staged name, to be moved
  // back if the extraction has to be undone: a copy on Windows, a hard link
  // (or a copy) elsewhere.
  virtual bool Keep(const std::string& path, const std::string& name) = 0;
  // Removes the staging folder and everything in it.
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
// The target for a destination folder given in the caller's text.
std::unique_ptr<Target> MakeTarget(const char* destination);

}  // namespace bszip
