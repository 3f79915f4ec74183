// The library through its four operations, on the host (the reader built
// natively under sanitizers) and as BSZIP.dll under Wine: the corpus table,
// then the flags, the codes and the run-time integers; and the faults of a
// file system, put in below the operations, and the recovery after them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "bszip/extract.h"
#include "bszip/linked.h"
#include "bszip/names.h"
#include "tests/zip/corpus.h"
#include "tests/zip/target_double.h"
#ifdef _WIN32
#include "tests/files/files_test.h"
#endif
#include "tests/zip/zip_test.h"

namespace zip_test {
namespace {

class CorpusTest : public ::testing::TestWithParam<Case> {};

TEST_P(CorpusTest, AcceptedWholeOrRefusedWhole) {
  const Case& c = GetParam();
  Scratch scratch(c.name);
  const Tree before = Snapshot(scratch.root);
  const int32_t code = Unpack(Corpus() / (std::string(c.name) + ".zip"), scratch.destination);
  EXPECT_EQ(code, c.code);
  if (c.code != 0) {
    // Byte for byte as before, and no staging folder left beside it.
    EXPECT_EQ(Snapshot(scratch.root), before) << Describe(Snapshot(scratch.root));
    return;
  }
  Tree want = Snapshot(scratch.destination);
  Overlay(want, Corpus() / (std::string(c.name) + ".expect"));
  EXPECT_EQ(Snapshot(scratch.destination), want) << "got:\n"
                                                 << Describe(Snapshot(scratch.destination)) << "want:\n"
                                                 << Describe(want);
  EXPECT_EQ(Snapshot(scratch.root).size(), want.size() + 1) << "only the destination in the root";
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusTest, ::testing::ValuesIn(kCorpus),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(Corpus, EveryArchiveHasARow) {
  std::set<std::string> listed;
  for (const Case& c : kCorpus) listed.insert(std::string(c.name) + ".zip");
  size_t archives = 0;
  for (const auto& entry : fs::directory_iterator(Corpus())) {
    const std::string name = entry.path().filename().u8string();
    if (entry.path().extension() != ".zip") continue;
    ++archives;
    EXPECT_TRUE(listed.count(name)) << name << " has no row in corpus.h";
  }
  EXPECT_EQ(archives, listed.size());
}

fs::path Archive(const char* name) { return Corpus() / (std::string(name) + ".zip"); }

TEST(Operations, NothingOpen) {
  zCloseZipFile();
  EXPECT_EQ(zCloseZipFile(), 2);
  Scratch scratch("nothing open");
  EXPECT_EQ(zExtractAll(ApiText(scratch.destination).c_str(), "", 1, 1, 1, 0, nullptr), 2);
}

TEST(Operations, OpenFailures) {
  Scratch scratch("open failures");
  EXPECT_EQ(zOpenZipFile(""), 1);
  EXPECT_EQ(zOpenZipFile(nullptr), 1);
  EXPECT_EQ(zOpenZipFile(ApiText(scratch.root / "missing.zip").c_str()), 3);
  EXPECT_EQ(zOpenZipFile(ApiText(scratch.destination).c_str()), 3);  // a folder
  EXPECT_EQ(zOpenZipFile(ApiText(scratch.destination / "keep.txt").c_str()), 4);
  EXPECT_EQ(zCloseZipFile(), 2) << "a failed open leaves nothing open";
}

TEST(Operations, OpenReplacesTheOpenArchiveAndExtractsTwice) {
  Scratch scratch("open twice");
  ASSERT_EQ(zOpenZipFile(ApiText(Archive("good_stored")).c_str()), 0);
  ASSERT_EQ(zOpenZipFile(ApiText(Archive("good_deflate")).c_str()), 0);
  const std::string destination = ApiText(scratch.destination);
  EXPECT_EQ(zExtractAll(destination.c_str(), "", 1, 1, 1, 0, nullptr), 0);
  EXPECT_EQ(zExtractAll(destination.c_str(), nullptr, 1, 1, 1, 0, nullptr), 0);
  EXPECT_EQ(zCloseZipFile(), 0);
  EXPECT_EQ(zCloseZipFile(), 2);
  EXPECT_TRUE(fs::exists(scratch.destination / "b.wgw"));
  EXPECT_FALSE(fs::exists(scratch.destination / "b.bin"));
}

TEST(Operations, TextMustBeEmpty) {
  Scratch scratch("text");
  const Tree before = Snapshot(scratch.root);
  ASSERT_EQ(zOpenZipFile(ApiText(Archive("good_stored")).c_str()), 0);
  EXPECT_EQ(zExtractAll(ApiText(scratch.destination).c_str(), "secret", 1, 1, 1, 0, nullptr), 1);
  EXPECT_EQ(zExtractAll("", "", 1, 1, 1, 0, nullptr), 1);
  EXPECT_EQ(zExtractAll(nullptr, "", 1, 1, 1, 0, nullptr), 1);
  EXPECT_EQ(zCloseZipFile(), 0);
  EXPECT_EQ(Snapshot(scratch.root), before);
}

TEST(Flags, ReplaceOffRefusesAnExistingFile) {
  Scratch scratch("no replace");
  const Tree before = Snapshot(scratch.root);
  Flags flags;
  flags.replace = 0;
  EXPECT_EQ(Unpack(Archive("good_replace"), scratch.destination, flags), 12);
  EXPECT_EQ(Snapshot(scratch.root), before);
  EXPECT_EQ(Unpack(Archive("good_stored"), scratch.destination, flags), 0);
  EXPECT_EQ(ReadAll(scratch.destination / "a.txt"), "stored text\r\n");
}

TEST(Flags, KeepPathsOffPutsEveryFileIntoTheDestination) {
  Scratch scratch("flat");
  Flags flags;
  flags.keepPaths = 0;
  EXPECT_EQ(Unpack(Archive("good_nested_no_folder_entries"), scratch.destination, flags), 0);
  EXPECT_EQ(ReadAll(scratch.destination / "z.txt"), "deep");
  EXPECT_EQ(ReadAll(scratch.destination / "w.txt"), "w");
  EXPECT_TRUE(fs::exists(scratch.destination / "u.txt"));
  EXPECT_FALSE(fs::exists(scratch.destination / "x"));
  // Folder entries are skipped.
  EXPECT_EQ(Unpack(Archive("good_nested_folders"), scratch.destination, flags), 0);
  EXPECT_FALSE(fs::exists(scratch.destination / "a"));
  EXPECT_FALSE(fs::exists(scratch.destination / "empty"));
  EXPECT_EQ(ReadAll(scratch.destination / "c.txt"), "c");
}

TEST(Flags, CreateDestination) {
  Scratch scratch("create");
  const fs::path deep = scratch.root / U8(u8"новая") / "deeper";
  Flags flags;
  flags.createDestination = 0;
  EXPECT_EQ(Unpack(Archive("good_stored"), deep, flags), 11);
  EXPECT_FALSE(fs::exists(scratch.root / U8(u8"новая")));
  EXPECT_EQ(Unpack(Archive("bad_late_crc"), deep), 9);
  EXPECT_FALSE(fs::exists(scratch.root / U8(u8"новая"))) << "made for nothing, removed again";
  EXPECT_EQ(Unpack(Archive("good_stored"), deep), 0);
  EXPECT_EQ(ReadAll(deep / "a.txt"), "stored text\r\n");
}

TEST(Flags, TestOnlyReadsAndChecksButWritesNothing) {
  Scratch scratch("test only");
  const Tree before = Snapshot(scratch.root);
  Flags flags;
  flags.testOnly = 1;
  EXPECT_EQ(Unpack(Archive("good_large"), scratch.destination, flags), 0);
  EXPECT_EQ(Unpack(Archive("bad_late_crc"), scratch.destination, flags), 9);
  EXPECT_EQ(Unpack(Archive("bad_name_dotdot"), scratch.destination, flags), 5);
  EXPECT_EQ(Unpack(Archive("good_stored"), scratch.root / "missing", flags), 0);
  EXPECT_EQ(Snapshot(scratch.root), before);
}

TEST(Destination, SomethingInTheWay) {
  Scratch scratch("in the way");
  fs::create_directories(scratch.destination / "a.txt");  // a folder where good_stored has a file
  Tree before = Snapshot(scratch.root);
  EXPECT_EQ(Unpack(Archive("good_stored"), scratch.destination), 12);
  EXPECT_EQ(Snapshot(scratch.root), before);
  WriteAll(scratch.destination / "big", "a file where good_large has a folder");
  before = Snapshot(scratch.root);
  EXPECT_EQ(Unpack(Archive("good_large"), scratch.destination), 12);
  EXPECT_EQ(Snapshot(scratch.root), before);
}

TEST(Destination, TrailingSeparatorAndRepeatedExtraction) {
  Scratch scratch("trailing");
  const std::string destination = ApiText(scratch.destination) + static_cast<char>(fs::path::preferred_separator);
  ASSERT_EQ(zOpenZipFile(ApiText(Archive("good_russian_cp866")).c_str()), 0);
  EXPECT_EQ(zExtractAll(destination.c_str(), "", 1, 1, 1, 0, nullptr), 0);
  EXPECT_EQ(zExtractAll(destination.c_str(), "", 1, 1, 1, 0, nullptr), 0) << "the same files again";
  EXPECT_EQ(zCloseZipFile(), 0);
  EXPECT_EQ(ReadAll(scratch.destination / U8(u8"новости.txt")), ReadAll(Corpus() / U8(u8"good_russian_cp866.expect/новости.txt")));
  EXPECT_EQ(Snapshot(scratch.root).count(u8"Программа/Данные/Дома/"), 1u);
}

// Progress: what zGetRunTimeInfo gives inside the callback.
std::vector<std::pair<int32_t, int32_t>> seen;
int32_t nested = -1;

int32_t BSZIP_CALL Record() {
  int32_t first = -1, second = -1;
  EXPECT_EQ(zGetRunTimeInfo(&first, &second), 0);
  seen.emplace_back(first, second);
  return 12345;  // ignored
}

int32_t BSZIP_CALL CallBack() {
  nested = zCloseZipFile();
  return 0;
}

TEST(Progress, CountsFilesReadOfFilesToWrite) {
  Scratch scratch("progress");
  seen.clear();
  EXPECT_EQ(Unpack(Archive("good_nested_folders"), scratch.destination, Flags(), &Record), 0);
  const std::vector<std::pair<int32_t, int32_t>> want = {{0, 2}, {1, 2}, {2, 2}};
  EXPECT_EQ(seen, want);
  int32_t first = -1, second = -1;
  zGetRunTimeInfo(&first, &second);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 2);
  EXPECT_EQ(zGetRunTimeInfo(nullptr, nullptr), 0);
}

TEST(Progress, TheLibraryIsBusyInsideTheCallback) {
  Scratch scratch("busy");
  ASSERT_EQ(zOpenZipFile(ApiText(Archive("good_stored")).c_str()), 0);
  EXPECT_EQ(zExtractAll(ApiText(scratch.destination).c_str(), "", 1, 1, 1, 0, &CallBack), 0);
  EXPECT_EQ(nested, 14);
  EXPECT_EQ(zCloseZipFile(), 0);
  EXPECT_EQ(ReadAll(scratch.destination / "a.txt"), "stored text\r\n");
}

// good_replace moves replace.txt (made read-only here), folder/old.txt and
// added.txt; the target refuses to replace a read-only file, as Windows does.
struct Fault {
  const char* name;
  TargetDouble::Fault fault;
  int at;
  int32_t code;
  bool applied;  // the folder ends all new (else all old)
};

const Fault kFaults[] = {
    {"ReadOnlyFileReplaced", TargetDouble::kNone, -1, 0, true},
    {"ReadOnlyBackAfterUndo", TargetDouble::kFailMove, 2, 11, false},
    {"FailedUndoKeepsTheCopy", TargetDouble::kFailUndo, 1, 15, false},
    {"StoppedBeforeTheFirstMove", TargetDouble::kDie, 0, 11, false},
    {"StoppedBetweenTwoMoves", TargetDouble::kDie, 2, 15, false},
    {"StoppedAfterTheLastMove", TargetDouble::kDie, 3, 0, false},
};

class FaultTest : public ::testing::TestWithParam<Fault> {};

bool Writable(const fs::path& p) { return (fs::status(p).permissions() & fs::perms::owner_write) != fs::perms::none; }

TEST_P(FaultTest, TheNextRecoveryLeavesTheFolderAllOldOrAllNew) {
  const Fault& f = GetParam();
  Scratch scratch(f.name);
  const fs::path readOnly = scratch.destination / "replace.txt";
  fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const Tree before = Snapshot(scratch.root);
  const std::string destination = ApiText(scratch.destination);
  Opened archive("good_replace");
  {
    TargetDouble target(bszip::MakeTarget(destination.c_str()), f.fault, f.at);
    EXPECT_EQ(bszip::Extract(archive.file->View(), archive.entries, &target, bszip::Options(), nullptr), f.code);
  }
  if (f.fault == TargetDouble::kFailUndo) {
    EXPECT_EQ(ReadAll(scratch.destination / bszip::kStagingName / "k0"), "old replace\r\n") << "the copy stays";
  }
  EXPECT_EQ(bszip::RecoverDestination(destination.c_str()), 0);
  EXPECT_EQ(ReadAll(readOnly), f.applied ? "new content\r\n" : "old replace\r\n");
  EXPECT_EQ(Writable(readOnly), f.applied) << "read-only again when put back";
  if (!f.applied) {
    EXPECT_EQ(Snapshot(scratch.root), before) << Describe(Snapshot(scratch.root));
  }
  EXPECT_FALSE(fs::exists(scratch.destination / bszip::kStagingName));
  fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

// A Unix shell command, done once `path` is there (or gone).
void Shell(const std::string& command, const fs::path& path, bool there) {
#ifdef _WIN32
  RunUnix(L"C:\\", toolkit::Widen("/bin/sh -c \"" + command + "\""), path.wstring(), there);
#else
  EXPECT_EQ(std::system(command.c_str()), 0) << command << path << there;
#endif
}

// Staging inside the destination keeps every move on one volume and needs
// nothing around the destination: a folder linked to another volume
// (/dev/shm, a memory file system; a Unix link stands in for a junction,
// which Wine cannot make) and, under Wine, a drive's root.
TEST(Destination, ALinkToAnotherVolumeAndADriveRoot) {
  const std::string id = std::to_string(ProcessId()), real = "/dev/shm/bszip-real-" + id, link = "/tmp/bszip-" + id;
  std::vector<std::string> destinations = {link}, links = {link};
#ifdef _WIN32
  const std::string drive = std::string(1, static_cast<char>('q' + id.back() % 8)) + ":";  // tests run side by side
  links.push_back(std::string(getenv("WINEPREFIX")) + "/dosdevices/" + drive);
  destinations = {"Z:" + link, drive + "\\"};
#endif
  for (size_t i = 0; i < links.size(); ++i)
    Shell("mkdir -p " + real + " && ln -s " + real + " " + links[i], U8(destinations[i]), true);
  for (const std::string& destination : destinations) {
    EXPECT_EQ(Unpack(Archive("good_nested_no_folder_entries"), U8(destination)), 0) << destination;
    EXPECT_EQ(ReadAll(U8(destinations[0]) / "x" / "y" / "z.txt"), "deep") << destination;
    EXPECT_EQ(Snapshot(U8(destinations[0])).count(std::string(bszip::kStagingName) + "/"), 0u);
    fs::remove_all(U8(destinations[0]) / "x");
  }
  for (size_t i = 0; i < links.size(); ++i) Shell("rm -rf " + real + " " + links[i], U8(destinations[i]), false);
}

#ifdef _WIN32
TEST(AllOrNothing, AFileInUseUndoesTheWholeArchiveAndIsNamed) {
  // good_replace moves replace.txt, then folder/old.txt, then added.txt.
  Scratch scratch("in use");
  const Tree before = Snapshot(scratch.root);
  HANDLE open = CreateFileW((scratch.destination / "folder" / "old.txt").wstring().c_str(), GENERIC_READ,
                            FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Unpack(Archive("good_replace"), scratch.destination), 11);
  CloseHandle(open);
  int32_t entry = -1, marker = 0;
  zGetRunTimeInfo(&entry, &marker);
  EXPECT_EQ(entry, 1) << "folder/old.txt, the second entry";
  EXPECT_EQ(marker, -1);
  EXPECT_EQ(Snapshot(scratch.root), before) << Describe(Snapshot(scratch.root));
  EXPECT_EQ(Unpack(Archive("good_replace"), scratch.destination), 0);
  EXPECT_EQ(ReadAll(scratch.destination / "folder" / "old.txt"), "newer");
}
#endif

}  // namespace
}  // namespace zip_test
