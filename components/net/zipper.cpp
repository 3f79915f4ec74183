#include "components/net/zipper.h"

#include "bszip/codes.h"
#include "bszip/linked.h"
#include "runtime/dispatch.h"
#include "runtime/pull.h"

namespace {

// The component whose zExtractAll is running; the library's callback has no
// argument to tell.
TKestoZipper* extracting = nullptr;

int32_t Flag(uint8_t option) { return option ? 0 : 1; }

std::string Filled(const std::string& mask, const std::string& value) {
  std::string text = mask;
  const size_t at = text.find("%1");
  return at == std::string::npos ? text : text.replace(at, 2, value);
}

}  // namespace

void TKestoZipper::Open(TData& data, uint16_t) {
  if (!path_.empty()) {
    const int32_t code = Library->CloseZipFile();
    FireInteger(Result, code);
    if (code == 0) path_.clear();
  }
  failure_.clear();
  path_ = PullString(data, ZipFileSource, ZipFile);
  const int32_t code = Library->OpenZipFile(path_.c_str());
  if (code != 0) path_.clear();
  ForwardInteger(data, Result, code);
}

void TKestoZipper::ExtractAll(TData& data, uint16_t) {
  if (path_.empty()) return;
  destination_ = PullString(data, DestinationSource, Destination);
  TKestoZipper* const outer = extracting;
  extracting = this;
  const int32_t code = Library->ExtractAll(destination_.c_str(), ExtraText.c_str(), Flag(OptionA), Flag(OptionB),
                                           Flag(OptionC), Flag(OptionD), &OnProgress);
  extracting = outer;
  failure_ = Describe(code);
  ForwardInteger(data, Result, code);
}

void TKestoZipper::Close(TData& data, uint16_t) {
  if (path_.empty()) return;
  const int32_t code = Library->CloseZipFile();
  if (code == 0) path_.clear();
  ForwardInteger(data, Result, code);
}

void TKestoZipper::Recover(TData& data, uint16_t) {
  const std::string destination = PullString(data, DestinationSource, Destination);
  bszip::RecoverDestination(destination.c_str());
}

void TKestoZipper::FailureText(TData& data, uint16_t) {
  SetNull(data);
  if (failure_.empty())
    data.Kind = dtBreak;
  else
    SetString(data, failure_);
}

// After a failed replace the run-time integers name the entry (second -1);
// its name is read from the archive through the library's linked code.
std::string TKestoZipper::Describe(int32_t code) {
  if (code == bszip::kUndoFailed) return Filled(KeptText, bszip::StagingFolder(destination_));
  if (code != bszip::kCannotWrite) return std::string();
  int32_t entry = 0, marker = 0;
  Library->GetRunTimeInfo(&entry, &marker);
  const std::string path = marker == -1 ? bszip::EntryPath(destination_, path_.c_str(), entry) : std::string();
  return path.empty() ? path : Filled(BlockedText, path);
}

int32_t BSZIP_CALL TKestoZipper::OnProgress() {
  TKestoZipper* zipper = extracting;
  if (!zipper) return 0;
  zipper->Library->GetRunTimeInfo(&zipper->runTimeInfo_[0], &zipper->runTimeInfo_[1]);
  FireInteger(zipper->Progress, zipper->runTimeInfo_[zipper->ProgressSecond ? 1 : 0]);
  return 0;
}
