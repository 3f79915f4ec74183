#include "publish/archive.h"

#include <zip.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "bszip/extract.h"
#include "bszip/names.h"
#include "toolkit/utf8.h"

namespace publish {

namespace {

namespace fs = std::filesystem;

// What each refusal of the zip library means for a publisher.
std::string Why(bszip::Code code) {
  static const std::map<bszip::Code, const char*> kWhy = {
      {bszip::kBroken, "the archive is broken"},
      {bszip::kUnsafeName,
       "a name Windows or the zip library refuses (a device name such as CON or NUL, one of < > : \" | ? * "
       "or a control character, a part ending in \".\" or a blank, a part over 255 characters)"},
      {bszip::kUnsupported, "an entry the zip library does not unpack"},
      {bszip::kDuplicate, "two files with one name as Windows compares names (letters in any case)"},
      {bszip::kExecutable, "a program or script file type, which the zip library never unpacks"},
      {bszip::kBadData, "data that does not inflate to what the archive says"},
      {bszip::kTooLarge, "too large: at most 256 MiB a file, 1 GiB and 65535 files in all"}};
  const auto found = kWhy.find(code);
  return (found == kWhy.end() ? std::string("refused") : std::string(found->second)) + " (zip library code " +
         std::to_string(code) + ")";
}

// Files Ostrel keeps for itself in the program folder.
bool IsProgramFile(const std::string& path) {
  const std::string key = bszip::NameKey(path);
  return key == bszip::NameKey("settings.ini") || key == bszip::NameKey("lastupdates.zip");
}

std::string ProblemOf(const fs::directory_entry& entry, const std::string& path, uintmax_t& total) {
  std::error_code failed;
  const fs::file_status status = entry.symlink_status(failed);
  if (fs::is_symlink(status)) return "a link; only plain files are published";
  if (!fs::is_regular_file(status)) return "not a plain file";
  std::string cp1251;
  if (!toolkit::Utf8ToCp1251(path, cp1251)) return "the name has a character cp1251 lacks, which Ostrel cannot name";
  if (IsProgramFile(path)) return "Ostrel's own file, which an update must not replace";
  const uintmax_t size = entry.file_size(failed);
  if (failed) return "cannot be read";
  total += size;
  if (size > bszip::kMaxEntrySize) return Why(bszip::kTooLarge);
  return std::string();
}

}  // namespace

std::vector<DataFile> ListData(const std::string& folder, std::vector<std::string>& problems) {
  std::vector<DataFile> files;
  std::error_code failed;
  fs::recursive_directory_iterator walk(fs::u8path(folder), failed), end;
  if (failed) {
    problems.push_back(folder + ": cannot be read");
    return files;
  }
  uintmax_t total = 0;
  for (; walk != end; walk.increment(failed)) {
    if (failed) break;
    if (walk->is_directory() && !walk->is_symlink()) continue;
    const std::string path = walk->path().lexically_relative(fs::u8path(folder)).generic_u8string();
    const std::string problem = ProblemOf(*walk, path, total);
    if (!problem.empty()) problems.push_back(path + ": " + problem);
    else files.push_back({path, walk->path().string()});
  }
  if (failed) problems.push_back(folder + ": cannot be read to the end");
  if (files.empty() && problems.empty()) problems.push_back(folder + ": no files to publish");
  if (total > bszip::kMaxTotalSize || files.size() > bszip::kMaxEntries) {
    problems.push_back(folder + ": " + Why(bszip::kTooLarge));
    files.clear();  // not to be packed at all
  }
  std::sort(files.begin(), files.end(), [](const DataFile& a, const DataFile& b) { return a.path < b.path; });
  return files;
}

bool BuildArchive(const std::vector<DataFile>& files, std::string& zip, std::string& error) {
  zip_error_t zipError;
  zip_error_init(&zipError);
  zip_source_t* out = zip_source_buffer_create(nullptr, 0, 0, &zipError);
  zip_t* archive = out ? zip_open_from_source(out, ZIP_TRUNCATE, &zipError) : nullptr;
  if (!archive) {
    error = zip_error_strerror(&zipError);
    zip_error_fini(&zipError);
    if (out) zip_source_free(out);
    return false;
  }
  zip_source_keep(out);  // the written bytes are read back from it after zip_close
  for (const DataFile& file : files) {
    zip_source_t* in = zip_source_file(archive, file.full.c_str(), 0, 0);
    const zip_int64_t index = in ? zip_file_add(archive, file.path.c_str(), in, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0 || zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9) != 0) {
      if (in && index < 0) zip_source_free(in);
      error = file.path + ": " + zip_strerror(archive);
      zip_discard(archive);
      zip_source_free(out);
      return false;
    }
  }
  if (zip_close(archive) != 0) {
    error = zip_strerror(archive);
    zip_discard(archive);
    zip_source_free(out);
    return false;
  }
  zip_stat_t stat;
  std::string bytes;
  bool read = zip_source_open(out) == 0 && zip_source_stat(out, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE);
  if (read) {
    bytes.resize(stat.size);
    read = zip_source_read(out, &bytes[0], stat.size) == static_cast<zip_int64_t>(stat.size);
    zip_source_close(out);
  }
  zip_source_free(out);
  if (!read) {
    error = "the archive could not be read back";
    return false;
  }
  zip = std::move(bytes);
  return true;
}

std::vector<std::string> CheckArchive(const std::string& zip) {
  const bszip::Bytes bytes{reinterpret_cast<const uint8_t*>(zip.data()), zip.size()};
  std::vector<bszip::Entry> entries;
  if (const bszip::Code code = bszip::ReadArchive(bytes, entries)) return {"the archive: " + Why(code)};
  // Each entry on its own first, so that every bad one is named ...
  std::vector<std::string> problems;
  bszip::Plan plan;
  for (const bszip::Entry& entry : entries)
    if (const bszip::Code code = bszip::MakePlan({entry}, true, plan))
      problems.push_back((entry.nameValid ? entry.name : entry.rawName) + ": " + Why(code));
  if (!problems.empty()) return problems;
  // ... then what only the whole archive shows: names that meet, sizes in all,
  // and every entry inflated and checked as the library will.
  if (const bszip::Code code = bszip::MakePlan(entries, true, plan)) {
    std::map<std::string, std::vector<std::string>> byKey;
    for (const bszip::Entry& entry : entries) byKey[bszip::NameKey(entry.name)].push_back(entry.name);
    for (const auto& same : byKey)
      if (same.second.size() > 1) problems.push_back(same.second[0] + ", " + same.second[1] + ": " + Why(code));
    if (problems.empty()) problems.push_back("the archive: " + Why(code));
    return problems;
  }
  bszip::Options test;
  test.testOnly = true;
  if (const bszip::Code code = bszip::Extract(bytes, entries, nullptr, test, nullptr))
    problems.push_back("the archive: " + Why(code));
  return problems;
}

}  // namespace publish
