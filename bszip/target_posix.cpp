// POSIX file system for host builds (tests, benchmarks): names are UTF-8
// as they come. Durability as on Windows: every staged file, kept copy and
// the journal are on the disk before the first rename, and the folders that
// received files are synced after the last. The staging folder is held
// with an advisory lock on its journal.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <set>
#include <vector>

#include "bszip/journal.h"
#include "bszip/names.h"
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
  explicit PosixTarget(const std::string& destination) {
    std::error_code error;
    destination_ = std::filesystem::absolute(destination, error).lexically_normal().string();
    if (error) destination_.clear();
    while (destination_.size() > 1 && destination_.back() == '/') destination_.pop_back();
  }
  ~PosixTarget() override {
    if (journal_ >= 0) close(journal_);
  }

  bool OpenDestination(bool create) override {
    if (destination_.empty()) return false;
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
    if (S_ISLNK(s.st_mode)) return kLink;
    return S_ISREG(s.st_mode) ? kFile : S_ISDIR(s.st_mode) ? kFolder : kOther;
  }

  // The names are checked: no "..", no absolute part; only the length is left.
  bool Inside(const std::string& path) override { return Full(path).size() < PATH_MAX; }

  bool ReadOnly(const std::string& path) override {
    struct stat s;
    return stat(Full(path).c_str(), &s) == 0 && !(s.st_mode & S_IWUSR);
  }

  bool SetReadOnly(const std::string& path, bool readOnly) override {
    struct stat s;
    if (stat(Full(path).c_str(), &s) != 0) return false;
    const mode_t mode = readOnly ? s.st_mode & ~mode_t{0222} : s.st_mode | S_IWUSR;
    return chmod(Full(path).c_str(), mode & 07777) == 0;
  }

  Left FindStaging(std::string& journal) override {
    journal.clear();
    const std::string staging = Full(kStagingName);
    struct stat s;
    if (destination_.empty() || lstat(staging.c_str(), &s) != 0 || !S_ISDIR(s.st_mode)) return kNoStaging;
    const int fd = open((staging + "/" + kJournalName).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno != ENOENT) return kStagingInUse;
    char buffer[65536];
    ssize_t n = -1;  // 0 once locked and read to the end
    if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0)
      while ((n = read(fd, buffer, sizeof buffer)) > 0) journal.append(buffer, static_cast<size_t>(n));
    if (fd >= 0 && n != 0) {  // locked by another process, or unreadable
      close(fd);
      return kStagingInUse;
    }
    staging_ = staging;
    journal_ = fd;
    return kStagingLeft;
  }

  bool MakeStaging() override {
    const std::string staging = Full(kStagingName);
    if (mkdir(staging.c_str(), 0700) != 0) return false;
    staging_ = staging;
    journal_ = open(Staged(kJournalName).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    return journal_ >= 0 && flock(journal_, LOCK_EX | LOCK_NB) == 0;
  }

  std::unique_ptr<StagedFile> Stage(const std::string& name) override {
    const int fd = open(Staged(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    written_.push_back(name);
    return std::make_unique<PosixStagedFile>(fd);
  }

  // A link shares the data already on the disk; only a copy needs flushing.
  bool Keep(const std::string& path, const std::string& name) override {
    if (link(Full(path).c_str(), Staged(name).c_str()) == 0) return true;
    written_.push_back(name);
    std::error_code error;
    return std::filesystem::copy_file(Full(path), Staged(name), error) && !error;
  }

  bool WriteJournal(const std::string& text) override {
    for (const std::string& name : written_)
      if (!Sync(Staged(name), 0)) return false;
    if (ftruncate(journal_, 0) != 0) return false;
    for (size_t done = 0; done < text.size();) {
      const ssize_t n = pwrite(journal_, text.data() + done, text.size() - done, static_cast<off_t>(done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return fdatasync(journal_) == 0 && Sync(staging_, O_DIRECTORY);
  }

  bool HasStaged(const std::string& name) override {
    struct stat s;
    return lstat(Staged(name).c_str(), &s) == 0;
  }

  void RemoveStaging() override {
    if (staging_.empty()) return;
    unlink(Staged(kJournalName).c_str());
    Sync(staging_, O_DIRECTORY);
    if (journal_ >= 0) close(journal_);
    journal_ = -1;
    if (DIR* listing = opendir(staging_.c_str())) {
      while (const dirent* found = readdir(listing))
        if (IsStagingFile(found->d_name)) unlink(Staged(found->d_name).c_str());
      closedir(listing);
    }
    rmdir(staging_.c_str());
    staging_.clear();
    written_.clear();
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

  bool RemoveFile(const std::string& path) override {
    const std::string full = Full(path);
    if (unlink(full.c_str()) != 0) return false;
    moved_.insert(ParentOf(full));
    return true;
  }

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
  int journal_ = -1;                  // open and locked while this target holds the staging folder
  std::vector<std::string> written_;  // staged files and kept copies, to be flushed
  std::set<std::string> moved_;       // folders whose entries changed
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

std::string CallerText(const std::string& path) { return path; }

}  // namespace bszip
