// File search and its wildcard matcher, on real folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "components/files/file_search.h"
#include "tests/core/probes.h"
#include "tests/files/files_test.h"

namespace {

std::vector<std::string> Texts(const Probe& p) {
  std::vector<std::string> out;
  for (const TData& d : p.values) out.push_back(ValueToString(d));
  std::sort(out.begin(), out.end());
  return out;
}

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
  // Fires Search through the dispatcher, so that forwarded events run.
  void Run(TData value) { FireEvent(Link<&TKestoFileSearch::Search>(&search), value); }
  void Run() { Run(StringData(dir.root)); }
  int32_t Count() const { return finished.values.size() == 1 ? finished.values[0].IntValue : -1; }
};

TEST_F(SearchTest, TemplatesWithAndWithoutSubfolders) {
  for (const char* f : {"a.wgw", "B.WGW", "c.wgw.bak"}) dir.File(f);
  dir.Folder("x");
  dir.File("x\\d.wgw");
  search.SubfolderMode = 1;
  Run();
  const std::string r = dir.root;
  EXPECT_EQ(Texts(found), (std::vector<std::string>{r + "B.WGW", r + "a.wgw"}));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Texts(other), std::vector<std::string>{r + "c.wgw.bak"});

  found = finished = Probe();
  search.SubfolderMode = 0;
  search.FullName = 0;
  Run(StringData(r.substr(0, r.size() - 1)));  // no trailing backslash
  EXPECT_EQ(Texts(found), (std::vector<std::string>{"B.WGW", "a.wgw", "d.wgw"}));
  EXPECT_EQ(Count(), 3);
}

TEST_F(SearchTest, FoldersAreReportedButNeverCounted) {
  dir.File("a.wgw");
  dir.Folder("sub.wgw");
  search.Kind = 1;
  Run();
  EXPECT_EQ(Texts(found), std::vector<std::string>{dir.root + "sub.wgw"});
  EXPECT_EQ(Count(), 1);
  found = finished = Probe();
  search.Kind = 2;
  Run();
  EXPECT_EQ(found.values.size(), 2u);
  EXPECT_EQ(Count(), 1);
}

TEST_F(SearchTest, FoundAtOnceFinishedAfterReturn) {
  dir.File("a.wgw");
  TData value = StringData(dir.root);
  search.Search(value, 0);
  EXPECT_EQ(found.values.size(), 1u);
  EXPECT_TRUE(finished.values.empty());
  EXPECT_EQ(value.Kind, kForwardFlag + dtInteger);
  EXPECT_EQ(value.ForwardLink, &search.Finished);
}

TEST_F(SearchTest, DirThenMaskFromTheIncomingChainAndEdgeCases) {
  for (const char* f : {"img07.bmp", "img7a.bmp", "IMG12.BMP"}) dir.File(f);
  search.Mask = "";
  TData mask = StringData("img##.bmp"), value = StringData(dir.root);
  value.Next = &mask;
  Run(value);
  EXPECT_EQ(Count(), 2);
  finished = Probe();
  Run();  // an empty mask is "*"
  EXPECT_EQ(Count(), 3);
  found = finished = Probe();
  Run(StringData(""));
  Run(StringData(dir.root + "missing\\"));
  EXPECT_TRUE(found.values.empty());
  EXPECT_EQ(Texts(finished), std::vector<std::string>{"0"});  // only the missing folder
}

// Makes folder\name a link to target. Wine 8 answers success to
// CreateSymbolicLinkW without making anything, and its C++ library has no
// links at all; a Unix link made by the system's own ln shows up in Wine as
// a linked folder, like a junction on Windows.
bool LinkUp(const std::wstring& folder, const std::wstring& name, const std::wstring& target) {
  std::wstring link = folder + L"\\" + name;
  CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | 2);
  return GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES ||
         RunUnix(folder, L"/bin/ln -s .. " + name, link, true);
}

TEST_F(SearchTest, FolderLinkPointingUpIsNotEntered) {
  dir.Folder("цикл");
  dir.File("цикл\\a.wgw");
  if (!LinkUp(dir.Wide("цикл"), L"up", dir.Wide(""))) GTEST_SKIP() << "no folder link can be made here";
  ASSERT_TRUE(Attributes(dir.root + "цикл\\up") & FILE_ATTRIBUTE_REPARSE_POINT);
  search.Kind = 2;
  Run();
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(Texts(found), (std::vector<std::string>{dir.root + "цикл", dir.root + "цикл\\a.wgw",
                                                    dir.root + "цикл\\up"}));
}

TEST(MatchMask, Wildcards) {
  EXPECT_TRUE(MatchMask("a.wgw", "*.wgw"));
  EXPECT_FALSE(MatchMask("a.wgw1", "*.wgw"));
  EXPECT_FALSE(MatchMask("a.wgwx", "*.wgw"));
  EXPECT_TRUE(MatchMask(".wgw", "*.wgw"));
  EXPECT_TRUE(MatchMask("", "*"));
  EXPECT_TRUE(MatchMask("", ""));
  EXPECT_FALSE(MatchMask("a", ""));
  EXPECT_TRUE(MatchMask("a.b.c", "*.*.c"));
  EXPECT_TRUE(MatchMask("abcabd", "*ab?"));
  EXPECT_FALSE(MatchMask("ab", "a?b"));
  EXPECT_TRUE(MatchMask("ф1", "?#"));
  EXPECT_FALSE(MatchMask("фa", "?#"));
  EXPECT_FALSE(MatchMask("#", "#"));
  EXPECT_FALSE(MatchMask("Ф", "ф"));
  EXPECT_EQ(LowerLatin("AbZ.ЖЁ@["), "abz.ЖЁ@[");
  // Many stars against a long near miss must not take exponential time.
  EXPECT_FALSE(MatchMask(std::string(200, 'a'), "*a*a*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
