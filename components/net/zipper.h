// Unpacks a zip archive into a folder through the zip library BSZIP.dll:
// opens one archive, extracts all of it, closes it, and reports the
// library's code after every call. Data point fields carry the suffix
// "Source" (see components/text/strings.h).
#pragma once
#include <cstdint>
#include <string>

#include "components/net/zip_library.h"
#include "runtime/link.h"

class TKestoZipper {
 public:
  std::string ZipFile;      // default of the data point ZipFile
  std::string Destination;  // default of the data point Destination
  std::string ExtraText;    // the second argument of zExtractAll
  uint8_t OptionA = 0, OptionB = 0, OptionC = 0;  // each passed negated
  uint8_t OptionD = 1;
  uint8_t ProgressSecond = 0;  // 0: Progress reports the first run-time integer, else the second
  TKesto_Event Result;    // Integer: the code of every library call, 0 = success
  TKesto_Event Progress;  // Integer: from the library's progress callback
  TKesto_Event ZipFileSource, DestinationSource;
  // The failures the library pins on one thing, told with %1 standing for
  // it: the file of the destination it could not replace, and the folder
  // holding the copies of files it could not put back.
  std::string BlockedText, KeptText;
  const TZipLibrary* Library = &BszipLibrary;  // the library's operations

  // Closes an open archive first (Result with that code), then opens.
  void Open(TData& data, uint16_t index);
  // Only with an archive open.
  void ExtractAll(TData& data, uint16_t index);
  void Close(TData& data, uint16_t index);
  // Rolls back an extraction into Destination that a crash left half done;
  // fires nothing. Through the library's code linked into the program:
  // it is for start-up, before any archive is open.
  void Recover(TData& data, uint16_t index);
  // Value point: the last ExtractAll's failure in BlockedText or KeptText,
  // or Break when the library pinned it on nothing (so that a reader falls
  // back to its own text).
  void FailureText(TData& data, uint16_t index);

  const std::string& OpenArchive() const { return path_; }  // empty: none open
  const std::string& LastDestination() const { return destination_; }

 private:
  static int32_t BSZIP_CALL OnProgress();
  std::string Describe(int32_t code);

  std::string path_;
  std::string destination_;
  std::string failure_;  // empty: nothing to tell
  int32_t runTimeInfo_[2] = {0, 0};
};
