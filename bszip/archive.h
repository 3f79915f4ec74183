// Reading a zip archive that lies in memory: the end of central directory
// record (and its ZIP64 form), the central directory, the local headers and
// data descriptors, and the data of stored and deflated entries, inflated
// through zlib with CRC-32, sizes and the size limits checked on the way.
// Platform-neutral: no file system here, the archive is one span of bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bszip/codes.h"

namespace bszip {

struct Bytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

struct Entry {
  std::string rawName;      // the bytes stored in the central directory
  std::string name;         // UTF-8, "/" between the parts; empty when undecodable
  bool nameValid = false;   // false: the UTF-8 flag is set but the bytes are not UTF-8
  uint16_t madeBy = 0;      // "version made by": the high byte names the system
  uint16_t flags = 0;       // general purpose bits
  uint16_t method = 0;
  uint32_t crc = 0;
  uint32_t externalAttributes = 0;
  uint64_t compressedSize = 0, size = 0;
  uint64_t headerOffset = 0;  // of the local header
  uint64_t dataOffset = 0;    // of the data, after the local header

  bool IsFolder() const { return !name.empty() && name.back() == '/'; }
  bool Encrypted() const { return (flags & 0x0001) || (flags & 0x0040) || (flags & 0x2000); }
  // A Unix mode in the external attributes that names a symbolic link, or
  // a Windows reparse point.
  bool IsLink() const;
};

// Reads the central directory and locates every entry's data. kOk, kBroken,
// kBadData (a data descriptor that contradicts the central directory),
// kUnsupported (several disks) or kTooLarge (too many entries).
Code ReadArchive(Bytes archive, std::vector<Entry>& entries);

// Where inflated bytes go; false stops the entry with kCannotWrite.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual bool Write(const uint8_t* data, size_t size) = 0;
};

// Inflates one entry (read by ReadArchive from the same bytes) into sink.
// total counts the bytes inflated by earlier calls and grows by this
// entry's. kOk, kBadData, kTooLarge, kUnsupported or kCannotWrite; on
// failure sink may have received part of the data.
Code InflateEntry(Bytes archive, const Entry& entry, Sink& sink, uint64_t& total);

}  // namespace bszip
