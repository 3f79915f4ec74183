// Shared by the host tests (the reader built natively, under sanitizers)
// and the Windows tests (BSZIP.dll under Wine): scratch folders, snapshots
// of whole trees, and the corpus that make_corpus.py writes.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "bszip/bszip.h"

namespace zip_test {

namespace fs = std::filesystem;

inline fs::path U8(const std::string& utf8) { return fs::u8path(utf8); }

// A path as the library takes it: code page 1251 on Windows, UTF-8 elsewhere.
inline std::string ApiText(const fs::path& p) {
#ifdef _WIN32
  const std::wstring w = p.wstring();
  if (w.empty()) return std::string();
  const int n = WideCharToMultiByte(1251, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(1251, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
  return s;
#else
  return p.string();
#endif
}

inline unsigned long ProcessId() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

// The corpus folder: a Unix path, reached through drive Z: under Wine.
inline fs::path Corpus() {
  std::string path = BSZIP_CORPUS;
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
#endif
  return U8(path);
}

inline std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// Every file and folder under root: relative path ("/" between the parts,
// folders ending in "/") to content.
using Tree = std::map<std::string, std::string>;

inline Tree Snapshot(const fs::path& given) {
  Tree tree;
#ifdef _WIN32
  // Names up to the library's limit run past MAX_PATH.
  const fs::path root = L"\\\\?\\" + fs::absolute(given).make_preferred().wstring();
#else
  const fs::path& root = given;
#endif
  if (!fs::exists(root)) return tree;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    const std::string relative = fs::path(it->path().native().substr(root.native().size() + 1)).generic_u8string();
    if (it->is_symlink()) {
      tree[relative] = "<link>";
      it.disable_recursion_pending();
    } else if (it->is_directory()) {
      tree[relative + "/"] = "";
    } else {
      tree[relative] = ReadAll(it->path());
    }
  }
  return tree;
}

// Adds (and overrides with) what is under folder.
inline void Overlay(Tree& tree, const fs::path& folder) {
  for (const auto& [name, content] : Snapshot(folder)) tree[name] = content;
}

inline std::string Describe(const Tree& tree) {
  std::ostringstream out;
  for (const auto& [name, content] : tree) out << "  " << name << " (" << content.size() << " bytes)\n";
  return out.str();
}

// A scratch root under the temporary folder with a destination folder in
// it that already holds a few files. Staging folders appear beside the
// destination, so a snapshot of the root sees them.
struct Scratch {
  fs::path root, destination;
  explicit Scratch(const std::string& name) {
    root = fs::temp_directory_path() / U8("bszip " + name + u8" распаковка " + std::to_string(ProcessId()));
    std::error_code ignored;
    fs::remove_all(root, ignored);
    destination = root / U8(u8"Программа");
    WriteAll(destination / "keep.txt", "old keep\r\n");
    WriteAll(destination / "replace.txt", "old replace\r\n");
    WriteAll(destination / "folder" / "old.txt", "old in folder\r\n");
    WriteAll(destination / U8(u8"старое.wgw"), u8"старое");
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
};

struct Flags {
  int32_t keepPaths = 1, replace = 1, createDestination = 1, testOnly = 0;
};

// Open, extract, close, as the program does; the first code that is not 0,
// or 0. A failed close counts too.
inline int32_t Unpack(const fs::path& archive, const fs::path& destination, Flags f = Flags(),
                      BszipProgress progress = nullptr) {
  int32_t code = zOpenZipFile(ApiText(archive).c_str());
  if (code != 0) return code;
  code = zExtractAll(ApiText(destination).c_str(), "", f.keepPaths, f.replace, f.createDestination, f.testOnly,
                     progress);
  const int32_t closed = zCloseZipFile();
  return code != 0 ? code : closed;
}

}  // namespace zip_test
