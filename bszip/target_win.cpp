// Win32 file system: wide-character calls only, on full paths with the
// "\\?\" prefix (no further normalisation by the system, no MAX_PATH limit).
// The caller's texts are code page 1251, entry names UTF-8.
#include <windows.h>

#include <vector>

#include "bszip/journal.h"
#include "bszip/names.h"
#include "bszip/target.h"

namespace bszip {

namespace {

std::string Narrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &text[0], n, nullptr, nullptr);
  return text;
}

std::wstring Widen(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
  const int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

// An entry path as a Windows relative path.
std::wstring Relative(const std::string& path) {
  std::wstring wide = Widen(CP_UTF8, path);
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  return wide;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return std::wstring();
  std::wstring full(n, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), n, &full[0], nullptr);
  if (written == 0 || written >= n) return std::wstring();
  full.resize(written);
  return full;
}

bool StartsWith(const std::wstring& s, const wchar_t* prefix) { return s.compare(0, wcslen(prefix), prefix) == 0; }

// "C:\x" becomes "\\?\C:\x", "\\server\share" becomes "\\?\UNC\server\share".
std::wstring Prefixed(const std::wstring& full) {
  if (StartsWith(full, L"\\\\?\\")) return full;
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE Get() const { return h_; }
  HANDLE Release() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }
  void Reset(HANDLE h = INVALID_HANDLE_VALUE) {
    if (Valid()) CloseHandle(h_);
    h_ = h;
  }

 private:
  HANDLE h_;
};

class WinMappedFile : public MappedFile {
 public:
  WinMappedFile(const void* view, size_t size) : view_(view), size_(size) {}
  ~WinMappedFile() override {
    if (view_) UnmapViewOfFile(view_);
  }
  Bytes View() const override { return {static_cast<const uint8_t*>(view_), size_}; }

 private:
  const void* view_;
  size_t size_;
};

class WinStagedFile : public StagedFile {
 public:
  explicit WinStagedFile(HANDLE h) : file_(h) {}
  bool Write(const uint8_t* data, size_t size) override {
    while (size > 0) {
      const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.Get(), data, chunk, &written, nullptr) || written == 0) return ok_ = false;
      data += written;
      size -= written;
    }
    return true;
  }
  bool Finish() override {
    file_.Reset();
    return ok_;
  }

 private:
  Handle file_;
  bool ok_ = true;
};

class WinTarget : public Target {
 public:
  explicit WinTarget(const std::wstring& destination) {
    full_ = FullPath(destination);
    while (full_.size() > 3 && full_.back() == L'\\') full_.pop_back();
    if (full_.empty()) return;
    destination_ = Prefixed(full_);
    root_ = destination_ + (destination_.back() == L'\\' ? L"" : L"\\");
  }

  bool OpenDestination(bool create) override {
    if (destination_.empty()) return false;
    if (create) MakeWithParents();
    const DWORD a = GetFileAttributesW(destination_.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }

  void UnmakeDestination() override {
    for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) RemoveDirectoryW(folder->c_str());
    made_.clear();
  }

  Kind KindOf(const std::string& path) override {
    const DWORD a = GetFileAttributesW(Full(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kNothing : kOther;
    }
    if (a & FILE_ATTRIBUTE_REPARSE_POINT) return kLink;
    if (a & FILE_ATTRIBUTE_DEVICE) return kOther;
    return (a & FILE_ATTRIBUTE_DIRECTORY) ? kFolder : kFile;
  }

  // The system's own normalisation of the plain (unprefixed) path must keep
  // it under the destination, and the whole must fit a Windows path.
  bool Inside(const std::string& path) override {
    const std::wstring relative = Relative(path);
    if (root_.size() + relative.size() >= 32767) return false;
    std::wstring root = full_;
    if (root.back() != L'\\') root += L'\\';
    const std::wstring normal = FullPath(root + relative);
    return normal.size() > root.size() &&
           CompareStringOrdinal(normal.c_str(), static_cast<int>(root.size()), root.c_str(),
                                static_cast<int>(root.size()), TRUE) == CSTR_EQUAL;
  }

  bool ReadOnly(const std::string& path) override {
    const DWORD a = GetFileAttributesW(Full(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
  }

  bool SetReadOnly(const std::string& path, bool readOnly) override {
    const std::wstring full = Full(path);
    const DWORD a = GetFileAttributesW(full.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD rest = a & ~DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_NORMAL};
    const DWORD b = readOnly ? rest | FILE_ATTRIBUTE_READONLY : rest;
    return SetFileAttributesW(full.c_str(), b ? b : FILE_ATTRIBUTE_NORMAL);
  }

  Left FindStaging(std::string& journal) override {
    journal.clear();
    const std::wstring staging = root_ + Widen(CP_UTF8, kStagingName);
    const DWORD a = destination_.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(staging.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return kNoStaging;
    HANDLE h = CreateFileW((staging + L"\\" + Widen(CP_UTF8, kJournalName)).c_str(), GENERIC_READ | GENERIC_WRITE,
                           0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND) return kStagingInUse;
    Handle file(h);
    char buffer[65536];
    for (DWORD n = 0; file.Valid(); journal.append(buffer, n)) {
      if (!ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr)) return kStagingInUse;
      if (n == 0) break;
    }
    staging_ = staging;
    journal_.Reset(file.Release());
    return kStagingLeft;
  }

  bool MakeStaging() override {
    const std::wstring staging = root_ + Widen(CP_UTF8, kStagingName);
    if (!CreateDirectoryW(staging.c_str(), nullptr)) return false;
    staging_ = staging;
    SetFileAttributesW(staging_.c_str(), FILE_ATTRIBUTE_HIDDEN);
    journal_.Reset(CreateFileW(Staged(kJournalName).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return journal_.Valid();
  }

  std::unique_ptr<StagedFile> Stage(const std::string& name) override {
    HANDLE h = CreateFileW(Staged(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    written_.push_back(name);
    return std::make_unique<WinStagedFile>(h);
  }

  // A copy, not a hard link: a link to a file that somebody holds open
  // without FILE_SHARE_DELETE could not be deleted with the staging folder.
  bool Keep(const std::string& path, const std::string& name) override {
    written_.push_back(name);
    return CopyFileW(Full(path).c_str(), Staged(name).c_str(), TRUE);
  }

  // The system's cache writes the files out meanwhile; a flush through a
  // new handle waits for whatever of a file is not on the disk yet.
  bool WriteJournal(const std::string& text) override {
    for (const std::string& name : written_) {
      Handle file(CreateFileW(Staged(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file.Valid() || !FlushFileBuffers(file.Get())) return false;
    }
    DWORD written = 0;
    return SetFilePointer(journal_.Get(), 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(journal_.Get()) &&
           WriteFile(journal_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size() && FlushFileBuffers(journal_.Get());
  }

  bool HasStaged(const std::string& name) override {
    return GetFileAttributesW(Staged(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void RemoveStaging() override {
    if (staging_.empty()) return;
    journal_.Reset();
    DeleteFileW(Staged(kJournalName).c_str());
    // Only what an extraction puts there: kept copies may be read-only.
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW((staging_ + L"\\*").c_str(), &found);
    if (listing != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = Narrow(CP_UTF8, found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsStagingFile(name)) continue;
        const std::wstring file = Staged(name);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
      } while (FindNextFileW(listing, &found));
      FindClose(listing);
    }
    RemoveDirectoryW(staging_.c_str());
    staging_.clear();
    written_.clear();
  }

  bool MakeFolder(const std::string& path) override { return CreateDirectoryW(Full(path).c_str(), nullptr); }
  bool RemoveFolder(const std::string& path) override { return RemoveDirectoryW(Full(path).c_str()); }

  bool MoveIn(const std::string& name, const std::string& path) override {
    return MoveFileExW(Staged(name).c_str(), Full(path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }

  // Each move was written through already.
  void Settle() override {}

  bool RemoveFile(const std::string& path) override { return DeleteFileW(Full(path).c_str()); }

 private:
  std::wstring Full(const std::string& path) const { return root_ + Relative(path); }
  std::wstring Staged(const std::string& name) const { return staging_ + L"\\" + Widen(CP_UTF8, name); }

  void MakeWithParents() {
    // Every prefix that ends before a backslash, after the root.
    for (size_t cut = destination_.find(L'\\', 4); ; cut = destination_.find(L'\\', cut + 1)) {
      const std::wstring part = destination_.substr(0, cut);
      if (part.back() != L':' && CreateDirectoryW(part.c_str(), nullptr)) made_.push_back(part);
      if (cut == std::wstring::npos) return;
    }
  }

  std::wstring full_;         // the destination as the system writes it, no trailing "\" but at a root
  std::wstring destination_;  // the same with the "\\?\" prefix
  std::wstring root_;         // the same ending in "\"
  std::vector<std::wstring> made_;  // folders made for the destination, outermost first
  std::wstring staging_;
  Handle journal_;                    // open, shared for reading only, while this target holds the staging folder
  std::vector<std::string> written_;  // staged files and kept copies, to be flushed
};

}  // namespace

std::unique_ptr<MappedFile> MapFile(const char* path) {
  Handle file(CreateFileW(Widen(1251, path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return nullptr;
  if (size.QuadPart == 0) return std::make_unique<WinMappedFile>(nullptr, 0);
  Handle mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping.Valid()) return nullptr;
  const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0);
  if (!view) return nullptr;
  return std::make_unique<WinMappedFile>(view, static_cast<size_t>(size.QuadPart));
}

std::unique_ptr<Target> MakeTarget(const char* destination) {
  const std::wstring wide = Widen(1251, destination);
  if (wide.empty()) return nullptr;
  return std::make_unique<WinTarget>(wide);
}

std::string CallerText(const std::string& path) { return Narrow(1251, Relative(path)); }

}  // namespace bszip
