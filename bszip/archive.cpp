#include "bszip/archive.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

#include "bszip/names.h"

namespace bszip {

namespace {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kZip64EndSignature = 0x06064b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr uint32_t kDescriptorSignature = 0x08074b50;
constexpr uint16_t kZip64Field = 0x0001;
constexpr uint16_t kDescriptorFlag = 0x0008;
constexpr uint16_t kUtf8Flag = 0x0800;
constexpr uint32_t kMasked32 = 0xFFFFFFFF;

constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndSize = 22;
constexpr size_t kLocatorSize = 20;
constexpr size_t kZip64EndSize = 56;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return Get16(p) | static_cast<uint32_t>(Get16(p + 2)) << 16; }
uint64_t Get64(const uint8_t* p) { return Get32(p) | static_cast<uint64_t>(Get32(p + 4)) << 32; }

// length bytes from offset lie inside the archive.
bool Has(Bytes a, uint64_t offset, uint64_t length) { return offset <= a.size && length <= a.size - offset; }

// The data of one extra field; a malformed rest of the block ends the search.
bool FindExtra(const uint8_t* p, size_t length, uint16_t id, const uint8_t*& field, size_t& fieldLength) {
  while (length >= 4) {
    const uint16_t fieldId = Get16(p);
    const size_t size = Get16(p + 2);
    if (size > length - 4) return false;
    if (fieldId == id) {
      field = p + 4;
      fieldLength = size;
      return true;
    }
    p += 4 + size;
    length -= 4 + size;
  }
  return false;
}

// Reads the next 8-byte value of a ZIP64 field into value.
bool TakeZip64(const uint8_t*& field, size_t& length, uint64_t& value) {
  if (length < 8) return false;
  value = Get64(field);
  field += 8;
  length -= 8;
  return true;
}

struct Directory {
  uint64_t count = 0, size = 0, offset = 0;
  uint64_t end = 0;  // where the end records begin: the directory must stop there
};

Code FindDirectory(Bytes a, Directory& d) {
  if (a.size < kEndSize) return kBroken;
  // The end record is the last one whose comment reaches exactly to the end.
  const uint64_t lowest = a.size > kEndSize + 0xFFFF ? a.size - kEndSize - 0xFFFF : 0;
  uint64_t at = a.size - kEndSize;
  for (;; --at) {
    const uint8_t* p = a.data + at;
    if (Get32(p) == kEndSignature && at + kEndSize + Get16(p + 20) == a.size) break;
    if (at == lowest) return kBroken;
  }
  const uint8_t* e = a.data + at;
  uint64_t disk = Get16(e + 4), directoryDisk = Get16(e + 6), here = Get16(e + 8);
  d.count = Get16(e + 10);
  d.size = Get32(e + 12);
  d.offset = Get32(e + 16);
  d.end = at;
  if (at >= kLocatorSize && Get32(a.data + at - kLocatorSize) == kZip64LocatorSignature) {
    const uint8_t* l = a.data + at - kLocatorSize;
    const uint64_t record = Get64(l + 8);
    if (Get32(l + 4) != 0 || Get32(l + 16) > 1) return kUnsupported;
    const uint64_t limit = at - kLocatorSize;
    if (record > limit || limit - record < kZip64EndSize) return kBroken;
    const uint8_t* z = a.data + record;
    if (Get32(z) != kZip64EndSignature || Get64(z + 4) != limit - record - 12) return kBroken;
    disk = Get32(z + 16);
    directoryDisk = Get32(z + 20);
    here = Get64(z + 24);
    d.count = Get64(z + 32);
    d.size = Get64(z + 40);
    d.offset = Get64(z + 48);
    d.end = record;
  } else if (d.count == 0xFFFF || here == 0xFFFF || d.size == kMasked32 || d.offset == kMasked32) {
    return kBroken;  // values that point to a ZIP64 record there is not
  }
  if (disk != 0 || directoryDisk != 0 || here != d.count) return kUnsupported;
  if (d.count > kMaxEntries) return kTooLarge;
  if (d.offset > d.end || d.size != d.end - d.offset) return kBroken;
  if (d.count > d.size / kCentralHeaderSize) return kBroken;
  return kOk;
}

Code ReadCentralHeader(Bytes a, uint64_t& at, uint64_t end, Entry& entry) {
  if (end - at < kCentralHeaderSize) return kBroken;
  const uint8_t* p = a.data + at;
  if (Get32(p) != kCentralSignature) return kBroken;
  const size_t nameLength = Get16(p + 28), extraLength = Get16(p + 30), commentLength = Get16(p + 32);
  const uint64_t total = kCentralHeaderSize + nameLength + extraLength + commentLength;
  if (end - at < total) return kBroken;
  entry.madeBy = Get16(p + 4);
  entry.flags = Get16(p + 8);
  entry.method = Get16(p + 10);
  entry.crc = Get32(p + 16);
  entry.compressedSize = Get32(p + 20);
  entry.size = Get32(p + 24);
  uint64_t disk = Get16(p + 34);
  entry.externalAttributes = Get32(p + 38);
  entry.headerOffset = Get32(p + 42);
  entry.rawName.assign(reinterpret_cast<const char*>(p + kCentralHeaderSize), nameLength);
  entry.nameValid = DecodeName(entry.rawName, entry.flags & kUtf8Flag, entry.name);

  // The ZIP64 field holds, in this order, only the values masked above.
  const bool maskedSize = entry.size == kMasked32, maskedCompressed = entry.compressedSize == kMasked32;
  const bool maskedOffset = entry.headerOffset == kMasked32, maskedDisk = disk == 0xFFFF;
  if (maskedSize || maskedCompressed || maskedOffset || maskedDisk) {
    const uint8_t* field;
    size_t length;
    if (!FindExtra(p + kCentralHeaderSize + nameLength, extraLength, kZip64Field, field, length))
      return kBroken;
    if (maskedSize && !TakeZip64(field, length, entry.size)) return kBroken;
    if (maskedCompressed && !TakeZip64(field, length, entry.compressedSize)) return kBroken;
    if (maskedOffset && !TakeZip64(field, length, entry.headerOffset)) return kBroken;
    if (maskedDisk) {
      if (length < 4) return kBroken;
      disk = Get32(field);
    }
  }
  if (disk != 0) return kUnsupported;
  at += total;
  return kOk;
}

// A data descriptor after the data, with or without its signature and with
// 4- or 8-byte sizes, that repeats the central directory's values; its
// length, or 0 when there is none such.
uint64_t DescriptorLength(Bytes a, uint64_t at, const Entry& e, bool zip64First) {
  for (bool signature : {true, false}) {
    for (int width : {zip64First ? 8 : 4, zip64First ? 4 : 8}) {
      const uint64_t length = (signature ? 4 : 0) + 4 + 2 * static_cast<uint64_t>(width);
      if (!Has(a, at, length)) continue;
      const uint8_t* p = a.data + at;
      if (signature && Get32(p) != kDescriptorSignature) continue;
      if (signature) p += 4;
      const uint64_t compressed = width == 8 ? Get64(p + 4) : Get32(p + 4);
      const uint64_t size = width == 8 ? Get64(p + 12) : Get32(p + 8);
      if (Get32(p) == e.crc && compressed == e.compressedSize && size == e.size) return length;
    }
  }
  return 0;
}

// Checks the local header against the central directory and finds the data;
// end receives the offset just after the data and its descriptor.
Code ReadLocalHeader(Bytes a, Entry& e, uint64_t& end) {
  if (!Has(a, e.headerOffset, kLocalHeaderSize)) return kBroken;
  const uint8_t* p = a.data + e.headerOffset;
  if (Get32(p) != kLocalSignature) return kBroken;
  const uint16_t flags = Get16(p + 6);
  const size_t nameLength = Get16(p + 26), extraLength = Get16(p + 28);
  if (!Has(a, e.headerOffset + kLocalHeaderSize, nameLength + extraLength)) return kBroken;
  if (Get16(p + 8) != e.method || ((flags ^ e.flags) & (0x0001 | kDescriptorFlag))) return kBroken;
  if (e.rawName.compare(0, std::string::npos, reinterpret_cast<const char*>(p + kLocalHeaderSize),
                        nameLength) != 0)
    return kBroken;
  const uint8_t* field = nullptr;
  size_t fieldLength = 0;
  const bool zip64 = FindExtra(p + kLocalHeaderSize + nameLength, extraLength, kZip64Field, field, fieldLength);
  e.dataOffset = e.headerOffset + kLocalHeaderSize + nameLength + extraLength;
  if (!Has(a, e.dataOffset, e.compressedSize)) return kBroken;
  end = e.dataOffset + e.compressedSize;

  if (flags & kDescriptorFlag) {
    const uint64_t length = DescriptorLength(a, end, e, zip64);
    if (length == 0) return Has(a, end, 12) ? kBadData : kBroken;
    end += length;
    return kOk;
  }
  // Without a descriptor the local header repeats the values; masked sizes
  // are in its ZIP64 field (size first, then compressed size).
  if (Get32(p + 14) != e.crc) return kBadData;
  uint64_t size = Get32(p + 22), compressed = Get32(p + 18);
  if (size == kMasked32 || compressed == kMasked32) {
    if (!zip64 || !TakeZip64(field, fieldLength, size) || !TakeZip64(field, fieldLength, compressed))
      return kBroken;
  }
  if (size != e.size || compressed != e.compressedSize) return kBadData;
  return kOk;
}

constexpr size_t kChunk = 256 * 1024;

// Counts the inflated bytes against the declared size and the limits,
// checksums them and hands them on.
class Output {
 public:
  Output(const Entry& e, Sink& sink, uint64_t& total) : e_(e), sink_(sink), total_(total) {}
  Code Take(const uint8_t* data, size_t n, uint64_t consumed) {
    out_ += n;
    total_ += n;
    if (out_ > e_.size) return kBadData;
    if (out_ > kMaxEntrySize || total_ > kMaxTotalSize) return kTooLarge;
    if (out_ > kFreeRatioBytes && out_ / kMaxRatio > consumed) return kTooLarge;
    crc_ = crc32_z(crc_, data, n);
    return sink_.Write(data, n) ? kOk : kCannotWrite;
  }
  Code Finish() const { return out_ == e_.size && crc_ == e_.crc ? kOk : kBadData; }

 private:
  const Entry& e_;
  Sink& sink_;
  uint64_t& total_;
  uint64_t out_ = 0;
  uLong crc_ = crc32_z(0, nullptr, 0);
};

Code CopyStored(Bytes a, const Entry& e, Output& output) {
  if (e.compressedSize != e.size) return kBadData;
  for (uint64_t done = 0; done < e.size;) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(e.size - done, kChunk));
    done += n;
    if (Code c = output.Take(a.data + e.dataOffset + done - n, n, done)) return c;
  }
  return output.Finish();
}

Code InflateDeflated(Bytes a, const Entry& e, Output& output) {
  z_stream z = {};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return kInternal;
  std::unique_ptr<z_stream, int (*)(z_stream*)> ender(&z, &inflateEnd);
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[kChunk]);
  const uint8_t* in = a.data + e.dataOffset;
  uint64_t fed = 0;
  for (;;) {
    if (z.avail_in == 0 && fed < e.compressedSize) {
      const uInt n = static_cast<uInt>(std::min<uint64_t>(e.compressedSize - fed, uInt{1} << 30));
      z.next_in = const_cast<Bytef*>(in + fed);
      z.avail_in = n;
      fed += n;
    }
    z.next_out = buffer.get();
    z.avail_out = kChunk;
    const int result = inflate(&z, Z_NO_FLUSH);
    if (result == Z_MEM_ERROR) return kInternal;
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) return kBadData;
    const size_t produced = kChunk - z.avail_out;
    if (produced)
      if (Code c = output.Take(buffer.get(), produced, fed - z.avail_in)) return c;
    if (result == Z_STREAM_END) break;
    if (result == Z_BUF_ERROR && z.avail_in == 0 && fed == e.compressedSize) return kBadData;  // cut short
  }
  // The stream must fill the compressed size exactly.
  if (z.avail_in != 0 || fed != e.compressedSize) return kBadData;
  return output.Finish();
}

}  // namespace

bool Entry::IsLink() const {
  const unsigned system = madeBy >> 8;
  const uint32_t mode = externalAttributes >> 16;
  if ((system == 3 || system == 19) && (mode & 0170000) == 0120000) return true;  // Unix, OS X
  return (externalAttributes & 0x400) != 0;  // FILE_ATTRIBUTE_REPARSE_POINT
}

Code ReadArchive(Bytes a, std::vector<Entry>& entries) {
  entries.clear();
  Directory d;
  if (Code c = FindDirectory(a, d)) return c;
  entries.resize(static_cast<size_t>(d.count));
  uint64_t at = d.offset;
  for (Entry& e : entries)
    if (Code c = ReadCentralHeader(a, at, d.end, e)) return c;
  if (at != d.end) return kBroken;

  // Every entry's local header, data and descriptor lie before the central
  // directory, and no two of them share a byte.
  std::vector<std::pair<uint64_t, uint64_t>> spans;
  spans.reserve(entries.size());
  for (Entry& e : entries) {
    uint64_t end = 0;
    if (Code c = ReadLocalHeader(a, e, end)) return c;
    spans.emplace_back(e.headerOffset, end);
  }
  std::sort(spans.begin(), spans.end());
  uint64_t previous = 0;
  for (const auto& span : spans) {
    if (span.first < previous) return kBroken;
    previous = span.second;
  }
  if (previous > d.offset) return kBroken;
  return kOk;
}

Code InflateEntry(Bytes archive, const Entry& entry, Sink& sink, uint64_t& total) {
  if (entry.Encrypted()) return kUnsupported;
  Output output(entry, sink, total);
  switch (entry.method) {
    case 0: return CopyStored(archive, entry, output);
    case 8: return InflateDeflated(archive, entry, output);
    default: return kUnsupported;
  }
}

}  // namespace bszip
