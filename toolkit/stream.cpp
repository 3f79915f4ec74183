#include "toolkit/stream.h"

#include <algorithm>
#include <cstring>
#include <new>

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= bytes_.size()) return 0;
  size_t at = static_cast<size_t>(position_);
  size_t n = std::min(count, bytes_.size() - at);
  std::memcpy(buffer, bytes_.data() + at, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0 || position_ > bytes_.max_size() - count) return 0;
  size_t at = static_cast<size_t>(position_);
  // Memory running out is a short write, not an exception: a download's
  // worker thread has nobody to catch it.
  try {
    if (bytes_.size() < at + count) bytes_.resize(at + count);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  std::memcpy(&bytes_[at], buffer, count);
  position_ += count;
  return count;
}

namespace toolkit {

std::string ReadAllBytes(TStream& stream) {
  stream.SetPosition(0);
  std::string bytes(static_cast<size_t>(stream.Size()), '\0');
  bytes.resize(bytes.empty() ? 0 : stream.Read(&bytes[0], bytes.size()));
  return bytes;
}

}  // namespace toolkit
