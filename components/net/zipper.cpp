#include "components/net/zipper.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"

namespace {

// The component whose zExtractAll is running; the library's callback has no
// argument to tell.
TKestoZipper* extracting = nullptr;

int32_t Flag(uint8_t option) { return option ? 0 : 1; }

}  // namespace

void TKestoZipper::Open(TData& data, uint16_t) {
  if (!path_.empty()) {
    const int32_t code = Library->CloseZipFile();
    FireInteger(Result, code);
    if (code == 0) path_.clear();
  }
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
  ForwardInteger(data, Result, code);
}

void TKestoZipper::Close(TData& data, uint16_t) {
  if (path_.empty()) return;
  const int32_t code = Library->CloseZipFile();
  if (code == 0) path_.clear();
  ForwardInteger(data, Result, code);
}

int32_t BSZIP_CALL TKestoZipper::OnProgress() {
  TKestoZipper* zipper = extracting;
  if (!zipper) return 0;
  zipper->Library->GetRunTimeInfo(&zipper->runTimeInfo_[0], &zipper->runTimeInfo_[1]);
  FireInteger(zipper->Progress, zipper->runTimeInfo_[zipper->ProgressSecond ? 1 : 0]);
  return 0;
}
