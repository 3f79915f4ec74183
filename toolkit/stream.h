// Byte streams: the payload of "Stream" values. Platform-neutral; the
// memory stream lives here, file-backed streams beside their users.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class TStream {
 public:
  virtual ~TStream() = default;
  // Both move at most count bytes at the current position and advance it;
  // they answer how many bytes were moved (fewer at the end or on failure).
  virtual size_t Read(void* buffer, size_t count) = 0;
  virtual size_t Write(const void* buffer, size_t count) = 0;
  virtual uint64_t Size() const = 0;
  virtual uint64_t Position() const = 0;
  virtual void SetPosition(uint64_t position) = 0;
};

// Grows as it is written; writing past the end fills the gap with zeros.
// When it cannot grow, a write moves nothing.
class TMemoryStream final : public TStream {
 public:
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  uint64_t Size() const override { return bytes_.size(); }
  uint64_t Position() const override { return position_; }
  void SetPosition(uint64_t position) override { position_ = position; }

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  uint64_t position_ = 0;
};

namespace toolkit {
// Rewinds the stream and reads as many bytes as it holds at that moment;
// the stream is left at the end of what was read.
std::string ReadAllBytes(TStream& stream);
}  // namespace toolkit
