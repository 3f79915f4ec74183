// Tests below the four operations: archives read by the library's reader
// and a real target with faults put in where a test says. Moves onto a
// read-only file are always refused, as Windows refuses them (Wine running
// as root, and Unix, would replace the file anyway). Past that, from move
// `at` on: one move fails; every move fails (so the undo fails too); or the
// process "dies" before move `at` (or, past the last, before Settle):
// nothing more reaches the disk and the staging folder stays as a power cut
// would leave it.
#pragma once
#include <memory>
#include <string>

#include "bszip/archive.h"
#include "bszip/target.h"
#include "tests/zip/zip_test.h"

namespace zip_test {

// A corpus archive read through the library's own reader.
struct Opened {
  std::unique_ptr<bszip::MappedFile> file;
  std::vector<bszip::Entry> entries;
  explicit Opened(const char* name) : file(bszip::MapFile(ApiText(Corpus() / (std::string(name) + ".zip")).c_str())) {
    if (file) bszip::ReadArchive(file->View(), entries);
  }
};

#define ZIP_TEST_PASS(Result, Name, Parameters, Arguments) \
  Result Name Parameters override { return real_->Name Arguments; }
#define ZIP_TEST_WRITE(Result, Name, Parameters, Arguments) \
  Result Name Parameters override { return Result(Alive() ? real_->Name Arguments : Result()); }

class TargetDouble : public bszip::Target {
 public:
  enum Fault { kNone, kFailMove, kFailUndo, kDie };
  TargetDouble(std::unique_ptr<Target> real, Fault fault = kNone, int at = -1)
      : real_(std::move(real)), fault_(fault), at_(at) {}

  ZIP_TEST_PASS(bool, OpenDestination, (bool c), (c))
  ZIP_TEST_PASS(Kind, KindOf, (const std::string& p), (p))
  ZIP_TEST_PASS(bool, Inside, (const std::string& p), (p))
  ZIP_TEST_PASS(bool, ReadOnly, (const std::string& p), (p))
  ZIP_TEST_PASS(Left, FindStaging, (std::string & j), (j))
  ZIP_TEST_PASS(bool, MakeStaging, (), ())
  ZIP_TEST_PASS(std::unique_ptr<bszip::StagedFile>, Stage, (const std::string& n), (n))
  ZIP_TEST_PASS(bool, Keep, (const std::string& p, const std::string& n), (p, n))
  ZIP_TEST_PASS(bool, WriteJournal, (const std::string& t), (t))
  ZIP_TEST_PASS(bool, HasStaged, (const std::string& n), (n))
  ZIP_TEST_WRITE(void, UnmakeDestination, (), ())
  ZIP_TEST_WRITE(bool, SetReadOnly, (const std::string& p, bool on), (p, on))
  ZIP_TEST_WRITE(void, RemoveStaging, (), ())
  ZIP_TEST_WRITE(bool, MakeFolder, (const std::string& p), (p))
  ZIP_TEST_WRITE(bool, RemoveFolder, (const std::string& p), (p))
  ZIP_TEST_WRITE(bool, RemoveFile, (const std::string& p), (p))
  bool MoveIn(const std::string& n, const std::string& p) override {
    const int move = moves_++;
    dead_ = dead_ || (fault_ == kDie && move == at_);
    if (!Alive() || move == at_ || (fault_ == kFailUndo && at_ >= 0 && move > at_)) return false;
    return !real_->ReadOnly(p) && real_->MoveIn(n, p);
  }
  void Settle() override {
    dead_ = dead_ || (fault_ == kDie && moves_ == at_);  // after the last move
    if (Alive()) real_->Settle();
  }

 private:
  bool Alive() const { return !dead_; }

  std::unique_ptr<Target> real_;
  Fault fault_;
  int at_;
  int moves_ = 0;
  bool dead_ = false;
};

}  // namespace zip_test
