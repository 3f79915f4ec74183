// Win32: names are cp1251 bytes, opened through the wide-character calls so
// that they do not depend on the system's ANSI code page.
#include <windows.h>

#include <algorithm>

#include "toolkit/cp1251_win.h"
#include "toolkit/file_bytes.h"

namespace toolkit {

namespace {

// Closes the handle on every way out.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (Valid()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

constexpr DWORD kChunk = 1 << 20;

}  // namespace

bool IsExistingFile(const std::string& name) {
  if (name.empty()) return false;
  DWORD attributes = GetFileAttributesW(Widen(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadFileBytes(const std::string& name, std::string& bytes, uint64_t limit) {
  FileHandle file(CreateFileW(Widen(name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<uint64_t>(size.QuadPart) > std::min<uint64_t>(limit, bytes.max_size()))
    return false;
  std::string content;
  content.reserve(static_cast<size_t>(size.QuadPart));
  std::string chunk(kChunk, '\0');
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.Get(), &chunk[0], kChunk, &n, nullptr)) return false;
    if (n == 0) break;
    if (n > limit - content.size()) return false;  // it grew while read
    content.append(chunk, 0, n);
  }
  bytes = std::move(content);
  return true;
}

bool WriteFileBytes(const std::string& name, const std::string& bytes) {
  // OPEN_ALWAYS and cutting at the end, rather than CREATE_ALWAYS, so that a
  // hidden or system file can be replaced too.
  FileHandle file(CreateFileW(Widen(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kChunk));
    DWORD n = 0;
    if (!WriteFile(file.Get(), bytes.data() + done, want, &n, nullptr) || n == 0) break;
    done += n;
  }
  bool cut = SetEndOfFile(file.Get()) != 0;
  return cut && done == bytes.size();
}

}  // namespace toolkit
