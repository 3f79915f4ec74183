// POSIX: the cp1251 names become UTF-8 with "/" (native_name_host.h).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "toolkit/file_bytes.h"
#include "toolkit/native_name_host.h"

namespace toolkit {

bool IsExistingFile(const std::string& name) {
  struct stat info;
  return !name.empty() && stat(NativeName(name).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool ReadFileBytes(const std::string& name, std::string& bytes, uint64_t limit) {
  int fd = open(NativeName(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::string content;
  char chunk[65536];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || static_cast<uint64_t>(n) > limit - content.size()) {  // a folder, for one; or too long
      close(fd);
      return false;
    }
    if (n == 0) break;
    content.append(chunk, static_cast<size_t>(n));
  }
  close(fd);
  bytes = std::move(content);
  return true;
}

bool WriteFileBytes(const std::string& name, const std::string& bytes) {
  int fd = open(NativeName(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return close(fd) == 0 && done == bytes.size();
}

}  // namespace toolkit
