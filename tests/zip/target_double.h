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

class TargetDouble : public bszip::Target {
 public:
  enum Fault { kNone, kFailMove, kFailUndo, kDie };
  TargetDouble(std::unique_ptr<Target> real, Fault fault = kNone, int at = -1)
      : real_(std::move(real)), fault_(fault), at_(at) {}

  bool OpenDestination(bool create) override { return real_->OpenDestination(create); }
  void UnmakeDestination() override {
    if (Alive()) real_->UnmakeDestination();
  }
  Kind KindOf(const std::string& p) override { return real_->KindOf(p); }
  bool Inside(const std::string& p) override { return real_->Inside(p); }
  bool ReadOnly(const std::string& p) override { return real_->ReadOnly(p); }
  bool SetReadOnly(const std::string& p, bool on) override { return Alive() && real_->SetReadOnly(p, on); }
  Left FindStaging(std::string& journal) override { return real_->FindStaging(journal); }
  bool MakeStaging() override { return real_->MakeStaging(); }
  std::unique_ptr<bszip::StagedFile> Stage(const std::string& n) override { return real_->Stage(n); }
  bool Keep(const std::string& p, const std::string& n) override { return real_->Keep(p, n); }
  bool WriteJournal(const std::string& text) override { return real_->WriteJournal(text); }
  bool HasStaged(const std::string& n) override { return real_->HasStaged(n); }
  void RemoveStaging() override {
    if (Alive()) real_->RemoveStaging();
  }
  bool MakeFolder(const std::string& p) override { return Alive() && real_->MakeFolder(p); }
  bool RemoveFolder(const std::string& p) override { return Alive() && real_->RemoveFolder(p); }
  bool MoveIn(const std::string& n, const std::string& p) override {
    const int move = moves_++;
    if (fault_ == kDie && move == at_) dead_ = true;
    if (!Alive() || move == at_ || (fault_ == kFailUndo && at_ >= 0 && move > at_)) return false;
    return !real_->ReadOnly(p) && real_->MoveIn(n, p);
  }
  void Settle() override {
    if (fault_ == kDie && moves_ == at_) dead_ = true;  // after the last move
    if (Alive()) real_->Settle();
  }
  bool RemoveFile(const std::string& p) override { return Alive() && real_->RemoveFile(p); }

 private:
  bool Alive() const { return !dead_; }

  std::unique_ptr<Target> real_;
  Fault fault_;
  int at_;
  int moves_ = 0;
  bool dead_ = false;
};

}  // namespace zip_test
