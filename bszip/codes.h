// The library's return codes (documented in bszip/bszip.h).
#pragma once
#include <cstddef>
#include <cstdint>

namespace bszip {

enum Code : int32_t {
  kOk = 0,
  kBadArgument = 1,
  kNoArchive = 2,
  kCannotRead = 3,
  kBroken = 4,
  kUnsafeName = 5,
  kUnsupported = 6,
  kDuplicate = 7,
  kExecutable = 8,
  kBadData = 9,
  kTooLarge = 10,
  kCannotWrite = 11,
  kInTheWay = 12,
  kInternal = 13,
  kBusy = 14,
  kUndoFailed = 15,
};

// Limits against archives made to exhaust the disk or the memory.
constexpr uint64_t kMaxEntries = 65535;
constexpr uint64_t kMaxEntrySize = uint64_t{256} << 20;
constexpr uint64_t kMaxTotalSize = uint64_t{1} << 30;
constexpr uint64_t kFreeRatioBytes = uint64_t{1} << 20;  // the ratio is not checked below this
constexpr uint64_t kMaxRatio = 1000;

// Limits on a name, so that every accepted one can be made below any
// program folder, and the work per name stays small.
constexpr size_t kMaxNameUnits = 1024;  // UTF-16 code units, as Windows counts a path
constexpr size_t kMaxNameParts = 32;    // a file 31 folders deep

}  // namespace bszip
