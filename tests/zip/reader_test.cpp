// The platform-neutral parts one by one (host only): the name rules, the
// comparison key, the plan, and the undoing of a failed move.
#include <gtest/gtest.h>

#include "bszip/extract.h"
#include "bszip/names.h"
#include "tests/zip/target_double.h"
#include "tests/zip/zip_test.h"

namespace zip_test {
namespace {

using namespace bszip;

TEST(Names, RuleByRule) {
  struct Row {
    const char* name;
    bool safe;
  };
  const Row rows[] = {
      {"a.txt", true}, {"sub/a.txt", true}, {"sub/", true}, {"a b/c d.txt", true},
      {".hidden", true}, {"a..b.txt", true}, {"..a", true}, {u8"Данные/шаблон.wgw", true},
      {"console.txt", true}, {"COM10.txt", true}, {"LPT.txt", true}, {"nul1", true}, {"icon.con", true},
      {"", false}, {"/a", false}, {"//host/share/a", false}, {"C:a", false}, {"a:b", false},
      {"../a", false}, {"a/..", false}, {"a/../b", false}, {"./a", false}, {"a/./b", false},
      {"a//b", false}, {"a.", false}, {"a ", false}, {"a./b", false}, {"sub /b", false},
      {"con", false}, {"CON.txt", false}, {"a/Aux", false}, {"nul.tar.gz", false}, {"com0", false},
      {"LPT9.x", false}, {"conout$", false}, {"prn .txt", false}, {"lpt\xC2\xB3", false},
      {"a\tb", false}, {"a<b", false}, {"a>b", false}, {"a\"b", false}, {"a|b", false}, {"a?b", false},
      {"a*b", false}, {"a\x7F", true}, {"\xFF", false},
      {"~bszip", false}, {"a/~BSZIP/b", false}, {"~b\xC5\xBFz\xC4\xB1p", false}, {"~bszip2", true},
  };
  for (const Row& row : rows) EXPECT_EQ(CheckName(row.name) == kOk, row.safe) << "\"" << row.name << "\"";
  EXPECT_EQ(CheckName(std::string(255, 'a')), kOk);
  EXPECT_EQ(CheckName(std::string(256, 'a')), kUnsafeName);
  std::string cyrillic;
  for (int i = 0; i < 255; ++i) cyrillic += u8"ж";
  EXPECT_EQ(CheckName(cyrillic), kOk) << "255 characters, 510 bytes";
  // The limits on a whole name: UTF-16 units (U+10000 takes two) and parts.
  const std::string part(31, 'a');
  std::string deepest;
  for (int i = 0; i < 31; ++i) deepest += part + "/";
  EXPECT_EQ(CheckName(deepest + "b" + std::string(1024 - 31 * 32 - 1, 'c')), kOk);
  EXPECT_EQ(CheckName(deepest + "b" + std::string(1024 - 31 * 32, 'c')), kUnsafeName);
  EXPECT_EQ(CheckName(deepest + std::string(1024 - 31 * 32 - 1, 'c') + "\xF0\x90\x80\x80"), kUnsafeName);
  EXPECT_EQ(CheckName(deepest + "b/"), kOk) << "a folder 32 parts deep";
  EXPECT_EQ(CheckName(deepest + "b/c"), kUnsafeName);
}

TEST(Names, Decoding) {
  std::string name;
  EXPECT_TRUE(DecodeName("\x84\xa0\xad\xad\xeb\xa5\\\xf0\xf1.txt", false, name));  // cp866
  EXPECT_EQ(name, u8"Данные/Ёё.txt");
  EXPECT_TRUE(DecodeName(u8"Дом\\а", true, name));
  EXPECT_EQ(name, u8"Дом/а");
  EXPECT_FALSE(DecodeName("\xC0\xAE", true, name)) << "overlong";
  EXPECT_FALSE(DecodeName("\xED\xA0\x80", true, name)) << "surrogate";
  EXPECT_FALSE(DecodeName("\xE2\x82", true, name)) << "cut short";
}

TEST(Names, KeyComparesAsTheFileSystemDoes) {
  EXPECT_EQ(NameKey("Data/File.TXT"), NameKey("data/file.txt"));
  EXPECT_EQ(NameKey(u8"Шаблон/ЁЖ"), NameKey(u8"шаблон/ёж"));
  EXPECT_EQ(NameKey("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1"), NameKey("\xCE\x95\xCE\x9B\xCE\x9B\xCE\x86\xCE\x94\xCE\x91")) << "Greek";
  EXPECT_EQ(NameKey("\xC3\x84pfel"), NameKey("\xC3\xA4PFEL"));
  EXPECT_EQ(NameKey("folder/"), NameKey("FOLDER"));
  EXPECT_NE(NameKey("a.txt"), NameKey("b.txt"));
  EXPECT_NE(NameKey(u8"е"), NameKey(u8"ё"));
}

TEST(Names, ExecutableTypes) {
  for (const char* name : {"a.exe", "A.EXE", "dir/x.Dll", "x.com", "x.scr", "x.cpl", "x.ocx", "x.sys", "x.bat",
                           "x.cmd", "x.ps1", "x.vbs", "x.js", "x.wsf", "x.hta", "x.msi", "x.lnk", "t.txt.exe"})
    EXPECT_TRUE(IsExecutableName(name)) << name;
  for (const char* name : {"a.txt", "a.wgw", "a.wgh", "a.bmp", "settings.ini", "exe", "a.exe/b.txt", "a.json",
                           "a.jsx", "a.exe_", "readme"})
    EXPECT_FALSE(IsExecutableName(name)) << name;
}

Entry Named(const std::string& name, uint64_t size = 1) {
  Entry e;
  e.rawName = name;
  DecodeName(name, true, e.name);
  e.nameValid = true;
  e.method = 8;
  e.size = size;
  e.compressedSize = size;
  return e;
}

TEST(Plan, FoldersParentsFirstAndFilesInArchiveOrder) {
  Plan plan;
  ASSERT_EQ(MakePlan({Named("x/y/z.txt"), Named("x/", 0), Named("a.txt"), Named("x/y/w/", 0), Named("X/Y/v.txt")},
                     true, plan),
            kOk);
  ASSERT_EQ(plan.folders.size(), 3u);
  EXPECT_EQ(plan.FolderPath(2), "x/y/w");
  ASSERT_EQ(plan.files.size(), 3u);
  EXPECT_EQ(plan.Path(plan.files[0]), "x/y/z.txt");
  EXPECT_EQ(plan.Path(plan.files[2]), "x/y/v.txt") << "spelt as the folder's first entry spells it";
  EXPECT_EQ(plan.files[2].entry, 4u);
  ASSERT_EQ(MakePlan({Named("x/y/z.txt"), Named("q/z.TXT")}, false, plan), kDuplicate) << "flattened names";
  ASSERT_EQ(MakePlan({Named("x/y/z.txt"), Named("x/w/", 0)}, false, plan), kOk);
  EXPECT_EQ(MakePlan({Named("x/w/", 1)}, true, plan), kUnsupported) << "a folder with data";
  EXPECT_TRUE(plan.folders.empty());
}

TEST(Plan, DeclaredSizes) {
  Plan plan;
  EXPECT_EQ(MakePlan({Named("a", kMaxEntrySize)}, true, plan), kOk);
  EXPECT_EQ(MakePlan({Named("a", kMaxEntrySize + 1)}, true, plan), kTooLarge);
  EXPECT_EQ(MakePlan({Named("a", kMaxEntrySize), Named("b", kMaxEntrySize), Named("c", kMaxEntrySize),
                      Named("d", kMaxEntrySize)},
                     true, plan),
            kOk);
  EXPECT_EQ(MakePlan({Named("a", kMaxEntrySize), Named("b", kMaxEntrySize), Named("c", kMaxEntrySize),
                      Named("d", kMaxEntrySize), Named("e", 1)},
                     true, plan),
            kTooLarge);
  Entry dense = Named("dense", 2 << 20);
  dense.compressedSize = (2 << 20) / 1000 - 1;
  EXPECT_EQ(MakePlan({dense}, true, plan), kTooLarge);
  dense.compressedSize += 1;
  EXPECT_EQ(MakePlan({dense}, true, plan), kOk);
}

TEST(AllOrNothing, AFailedMoveIsUndone) {
  // good_replace: replace.txt (exists), folder/old.txt (exists), added.txt.
  Opened archive("good_replace");
  for (int failAt = 0; failAt < 3; ++failAt) {
    Scratch scratch("undo " + std::to_string(failAt));
    const Tree before = Snapshot(scratch.root);
    TargetDouble target(MakeTarget(ApiText(scratch.destination).c_str()), TargetDouble::kFailMove, failAt);
    EXPECT_EQ(Extract(archive.file->View(), archive.entries, &target, Options(), nullptr), kCannotWrite);
    EXPECT_EQ(Snapshot(scratch.root), before) << "failing move " << failAt;
  }
  Scratch scratch("undo none");
  TargetDouble target(MakeTarget(ApiText(scratch.destination).c_str()));
  EXPECT_EQ(Extract(archive.file->View(), archive.entries, &target, Options(), nullptr), kOk);
  EXPECT_EQ(ReadAll(scratch.destination / "replace.txt"), "new content\r\n");
}

TEST(AllOrNothing, NewFoldersAreRemovedAgain) {
  Opened archive("good_nested_folders");
  Scratch scratch("undo folders");
  const Tree before = Snapshot(scratch.root);
  TargetDouble target(MakeTarget(ApiText(scratch.destination).c_str()), TargetDouble::kFailMove, 1);
  EXPECT_EQ(Extract(archive.file->View(), archive.entries, &target, Options(), nullptr), kCannotWrite);
  EXPECT_EQ(Snapshot(scratch.root), before);
}

TEST(Destination, ALinkOnTheWayLeavesTheDestination) {
  Scratch scratch("link");
  const fs::path outside = scratch.root / "outside";
  fs::create_directories(outside);
  fs::create_directory_symlink(outside, scratch.destination / "sub");
  const Tree before = Snapshot(scratch.root);
  // good_backslash_names writes sub\one.txt and sub\deeper\two.txt.
  EXPECT_EQ(Unpack(Corpus() / "good_backslash_names.zip", scratch.destination), 5);
  EXPECT_EQ(Snapshot(scratch.root), before);
  EXPECT_TRUE(fs::is_empty(outside));
}

}  // namespace
}  // namespace zip_test
