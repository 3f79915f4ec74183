// POSIX file system for host builds (tests, benchmarks): names are UTF-8
// as they come. Durability as on Windows: every staged file is on the disk
// (fdatasync) before the first rename, and the folders that received files
// are synced after the last.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <vector>

#include "bszip/target.h"

namespace bszip {

namespace {

class PosixMappedFile : public MappedFile {
 public:
  PosixMappedFile(void* data, size_t size) : data_(data), size_(size) {}
  ~PosixMappedFile() override {
    if (data_) munmap(data_, size_);
  }
  Bytes View() const override { return {static_cast<const uint8_t*>(data_), size_}; }

 private:
  void* data_;
  size_t size_;
};

class PosixStagedFile : public StagedFile {
 public:
  explicit PosixStagedFile(int fd) : fd_(fd) {}
  ~PosixStagedFile() override {
    if (fd_ >= 0) close(fd_);
  }
  bool Write(const uint8_t* data, size_t size) override {
    while (size > 0) {
      const ssize_t n = write(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return ok_ = false;
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }
  bool Finish() override {
#ifdef __linux__
    sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);  // start writing it out now
#endif
    if (close(fd_) != 0) ok_ = false;
    fd_ = -1;
    return ok_;
  }

 private:
  int fd_;
  bool ok_ = true;
};

bool Sync(const std::string& path, int flags) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
}

std::string ParentOf(const std::string& path) {
  const size_t cut = path.find_last_of('/');
  return cut == 0 ? "/" : path.substr(0, cut);
}

class PosixTarget : public Target {
 public:
  explicit PosixTarget(std::string destination) : destination_(std::move(destination)) {}

  bool OpenDestination(bool create) override {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(destination_, error).lexically_normal();
    if (error) return false;
    destination_ = full.string();
    while (destination_.size() > 1 && destination_.back() == '/') destination_.pop_back();
    if (create) MakeWithParents();
    struct stat s;
    return stat(destination_.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
  }

  void UnmakeDestination() override {
    for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) rmdir(folder->c_str());
    made_.clear();
  }

  Kind KindOf(const std::string& path) override {
    struct stat s;
    if (lstat(Full(path).c_str(), &s) != 0) return errno == ENOENT || errno == ENOTDIR ? kNothing : kOther;
    return S_ISREG(s.st_mode) ? kFile : S_ISDIR(s.st_mode) ? kFolder : kOther;
  }

  bool Inside(const std::string& path) override {
    // The names are checked: no "..", no absolute part. What is left is a
    // link already there on the way.
    for (size_t cut = path.find('/');; cut = path.find('/', cut + 1)) {
      struct stat s;
      if (lstat(Full(path.substr(0, cut)).c_str(), &s) == 0 && S_ISLNK(s.st_mode)) return false;
      if (cut == std::string::npos) return true;
    }
  }

  bool MakeStaging() override {
    if (destination_ == "/") return false;
    const std::string base = destination_ + ".bszip-" + std::to_string(getpid()) + "-";
    for (int n = 0; n < 1000; ++n) {
      const std::string candidate = base + std::to_string(n);
      if (mkdir(candidate.c_str(), 0700) == 0) {
        staging_ = candidate;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  std::unique_ptr<StagedFile> Stage(const std::string& name) override {
    const int fd = open(Staged(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    staged_.push_back(name);
    return std::make_unique<PosixStagedFile>(fd);
  }

  bool FlushStaged() override {
    for (const std::string& name : staged_)
      if (!Sync(Staged(name), 0)) return false;
    return true;
  }

  bool Keep(const std::string& path, const std::string& name) override {
    if (link(Full(path).c_str(), Staged(name).c_str()) == 0) return true;
    std::error_code error;
    return std::filesystem::copy_file(Full(path), Staged(name), error) && !error;
  }

  void RemoveStaging() override {
    if (staging_.empty()) return;
    std::error_code error;
    std::filesystem::remove_all(staging_, error);
    staging_.clear();
  }

  bool MakeFolder(const std::string& path) override { return mkdir(Full(path).c_str(), 0755) == 0; }
  bool RemoveFolder(const std::string& path) override { return rmdir(Full(path).c_str()) == 0; }

  bool MoveIn(const std::string& name, const std::string& path) override {
    const std::string to = Full(path);
    if (rename(Staged(name).c_str(), to.c_str()) != 0) return false;
    moved_.insert(ParentOf(to));
    return true;
  }

  void Settle() override {
    for (const std::string& folder : moved_) Sync(folder, O_DIRECTORY);
    moved_.clear();
  }

  bool RemoveFile(const std::string& path) override { return unlink(Full(path).c_str()) == 0; }

 private:
  void MakeWithParents() {
    for (size_t cut = destination_.find('/', 1);; cut = destination_.find('/', cut + 1)) {
      const std::string part = destination_.substr(0, cut);
      if (mkdir(part.c_str(), 0755) == 0) made_.push_back(part);
      if (cut == std::string::npos) return;
    }
  }

  std::string Full(const std::string& path) const { return destination_ + "/" + path; }
  std::string Staged(const std::string& name) const { return staging_ + "/" + name; }

  std::string destination_;
  std::vector<std::string> made_;  // folders made for the destination, outermost first
  std::string staging_;
  std::vector<std::string> staged_;
  std::set<std::string> moved_;  // folders that received files
};

}  // namespace

std::unique_ptr<MappedFile> MapFile(const char* path) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat s;
  if (fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
    close(fd);
    return nullptr;
  }
  const size_t size = static_cast<size_t>(s.st_size);
  void* data = nullptr;
  if (size > 0) {
    data = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED) {
      close(fd);
      return nullptr;
    }
  }
  close(fd);
  return std::make_unique<PosixMappedFile>(data, size);
}

std::unique_ptr<Target> MakeTarget(const char* destination) {
  return std::make_unique<PosixTarget>(destination);
}

}  // namespace bszip
