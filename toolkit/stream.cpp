#include "toolkit/stream.h"

#include <algorithm>
#include <cstring>

size_t TMemoryStream::Read(void* buffer, size_t count) {
  if (position_ >= bytes_.size()) return 0;
  size_t at = static_cast<size_t>(position_);
  size_t n = std::min(count, bytes_.size() - at);
  std::memcpy(buffer, bytes_.data() + at, n);
  position_ += n;
  return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
  if (count == 0) return 0;
  size_t at = static_cast<size_t>(position_);
  if (bytes_.size() < at + count) bytes_.resize(at + count);
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
