// File search and its wildcard matcher, on real folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "components/files/file_search.h"
#include "tests/files/files_test.h"

namespace {

struct SearchTest : ::testing::Test {
  DispatchOn on;
  Scratch dir{"поиск"};
  TKestoFileSearch search;
  Probe found, finished, other;
  void SetUp() override {
    search.Mask = "*.wgw";
    search.FullName = 1;
    search.Found = Link<&Probe::In>(&found);
    search.Finished = Link<&Probe::In>(&finished);
    search.Other = Link<&Probe::In>(&other);
  }
  // Through the dispatcher, so that the forwarded Finished runs.
  void Run(TData value) {
    found = finished = other = Probe();
    FireEvent(Link<&TKestoFileSearch::Search>(&search), value);
  }
  void Run() { Run(StringData(dir.root)); }
  std::vector<std::string> Found() const {
    std::vector<std::string> out;
    for (const TData& d : found.values) out.push_back(ValueToString(d));
    std::sort(out.begin(), out.end());
    return out;
  }
  int32_t Count() const { return finished.values.size() == 1 ? finished.values[0].IntValue : -1; }
};

using Names = std::vector<std::string>;

TEST_F(SearchTest, TemplatesWithAndWithoutSubfolders) {
  for (const char* f : {"a.wgw", "B.WGW", "c.wgw.bak"}) dir.File(f);
  dir.Folder("x");
  dir.File("x\\d.wgw");
  const std::string r = dir.root;
  search.SubfolderMode = 1;
  Run();
  EXPECT_EQ(Found(), (Names{r + "B.WGW", r + "a.wgw"}));
  EXPECT_EQ(Count(), 2);
  ASSERT_EQ(other.values.size(), 1u);
  EXPECT_EQ(other.values[0].StrValue, r + "c.wgw.bak");

  search.SubfolderMode = 0;
  search.FullName = 0;
  Run(StringData(r.substr(0, r.size() - 1)));  // no trailing backslash
  EXPECT_EQ(Found(), (Names{"B.WGW", "a.wgw", "d.wgw"}));
  EXPECT_EQ(Count(), 3);

  search.Kind = 1;  // folders only: reported, never counted
  Run();
  EXPECT_EQ(Found(), Names{"x"});
  EXPECT_EQ(Count(), 3);

  // Found runs inside the search, Finished after it has returned.
  found = finished = Probe();
  TData value = StringData(r);
  search.Search(value, 0);
  EXPECT_EQ(found.values.size(), 1u);
  EXPECT_TRUE(finished.values.empty());
  EXPECT_EQ(value.Kind, kForwardFlag + dtInteger);
  EXPECT_EQ(value.ForwardLink, &search.Finished);
}

TEST_F(SearchTest, DirThenMaskFromTheIncomingChain) {
  for (const char* f : {"img07.bmp", "img7a.bmp", "IMG12.BMP"}) dir.File(f);
  search.Mask = "";
  TData mask = StringData("img##.bmp"), value = StringData(dir.root);
  value.Next = &mask;
  Run(value);
  EXPECT_EQ(Count(), 2);
  Run();  // an empty mask is "*"
  EXPECT_EQ(Count(), 3);
  Run(StringData(dir.root + "нет\\"));
  EXPECT_EQ(Count(), 0);
  Run(StringData(""));
  EXPECT_TRUE(found.values.empty() && finished.values.empty());
}

// Wine 8 answers success to CreateSymbolicLinkW without making anything and
// its C++ library makes no links; a Unix link made by ln shows up in Wine as
// a linked folder, as a junction does on Windows.
TEST_F(SearchTest, FolderLinkPointingUpIsNotEntered) {
  dir.Folder("цикл");
  dir.File("цикл\\a.wgw");
  const std::wstring link = dir.Wide("цикл\\up");
  CreateSymbolicLinkW(link.c_str(), dir.Wide("").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | 2);
  if (!Exists(dir.root + "цикл\\up") && !RunUnix(dir.Wide("цикл"), L"/bin/ln -s .. up", link, true))
    GTEST_SKIP() << "no folder link can be made here";
  ASSERT_TRUE(Attributes(dir.root + "цикл\\up") & FILE_ATTRIBUTE_REPARSE_POINT);
  search.Kind = 2;
  Run();
  EXPECT_EQ(Count(), 1);
  const std::string r = dir.root + "цикл";
  EXPECT_EQ(Found(), (Names{r, r + "\\a.wgw", r + "\\up"}));
}

// Templates shared through linked folders are found, each folder listed once.
TEST_F(SearchTest, LinkedFoldersAreEnteredOnce) {
  for (const char* f : {"src", "shared", "shared\\deep"}) dir.Folder(f);
  dir.File("shared\\deep\\x.wgw");
  dir.File("src\\own.wgw");
  for (const char* name : {"one", "two"})
    if (!RunUnix(dir.Wide("src"), L"/bin/ln -s ../shared " + toolkit::Widen(name), dir.Wide(std::string("src\\") + name), true))
      GTEST_SKIP() << "no folder link can be made here";
  Run(StringData(dir.root + "src"));
  EXPECT_EQ(Count(), 2);
  const std::string r = dir.root + "src\\";
  Names one{r + "one\\deep\\x.wgw", r + "own.wgw"}, two{r + "own.wgw", r + "two\\deep\\x.wgw"};
  EXPECT_TRUE(Found() == one || Found() == two) << testing::PrintToString(Found());
}

// ReFS and some network shares give different folders the same file index:
// plain folders sharing one are all listed, without a handle for each.
TEST_F(SearchTest, FoldersSharingAFileIndexAreAllListed) {
  for (const char* f : {"a", "b", "b\\c"}) dir.Folder(f);
  for (const char* f : {"a\\1.wgw", "b\\2.wgw", "b\\c\\3.wgw"}) dir.File(f);
  static int asked;
  asked = 0;
  search.Identify = [](const std::string&, toolkit::FolderId& id) {
    ++asked;
    id = {7, 7};
    return true;
  };
  Run();
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(asked, 0);
}

TEST(MatchMask, Wildcards) {
  for (auto [name, mask] : {std::pair{"a.wgw", "*.wgw"}, {".wgw", "*.wgw"}, {"", "*"}, {"", ""},
                            {"abcabd", "*ab?"}, {"a.b.c", "*.*.c"}, {"ф1", "?#"}})
    EXPECT_TRUE(MatchMask(name, mask)) << name << " " << mask;
  for (auto [name, mask] : {std::pair{"a.wgw1", "*.wgw"}, {"a.wgwx", "*.wgw"}, {"a", ""},
                            {"ab", "a?b"}, {"фa", "?#"}, {"#", "#"}, {"Ф", "ф"}})
    EXPECT_FALSE(MatchMask(name, mask)) << name << " " << mask;
  EXPECT_EQ(LowerLatin("AbZ.ЖЁ@["), "abz.ЖЁ@[");
  // Many stars against a long near miss must not take exponential time.
  EXPECT_FALSE(MatchMask(std::string(200, 'a'), "*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
