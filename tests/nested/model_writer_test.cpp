// The model writer, fed from memories, writing into result\ in a folder of
// the test's own: what it refuses would land beside result\, still inside.
#include <gtest/gtest.h>

#include "tests/nested/wall_schema.h"
#include "toolkit/file_bytes.h"

namespace {

using namespace nested_test;
using std::string;

struct ModelWriterTest : ::testing::Test {
  void SetUp() override {
    std::filesystem::create_directories(Native(folder));
    schema.Set(kFolder, folder);
    schema.Set(kRoot, folder);
  }
  void Template(const string& name, const string& first, const string& floor, const string& last) {
    schema.Set(kField1, name);
    schema.Set(kField2, first);
    schema.Set(kField3, floor);
    schema.Set(kField4, last);
  }
  string Read(const string& name) {
    string bytes;
    EXPECT_TRUE(toolkit::ReadFileBytes(folder + name, bytes)) << name;
    return bytes;
  }

  OwnFolder own{"ostrel_model_writer_"};
  string folder = own.Name() + "result\\";
  WallSchema schema;
};

// The whole text of the template is the line "w_%2.wgw||A%1||B||C"; loaded
// and joined it ends in CR LF, which stays with the last field.
TEST_F(ModelWriterTest, SingleLineTemplateByteForByte) {
  schema.Set(kFloors, "3");
  schema.Set(kEnglish, "red");
  Template("w_%2.wgw", "A%1", "B", "C\r\n");
  schema.Write();
  EXPECT_EQ(Read("w_red.wgw"), "A3\r\nB\r\nB\r\nC\r\n \r\n");
  EXPECT_EQ(schema.Written.values.size(), 1u);
}

TEST_F(ModelWriterTest, PlaceholdersInEveryField) {
  schema.Set(kFloors, "5");
  schema.Set(kEnglish, "dark red");
  schema.Set(kRussian, "красный");
  schema.Set(kColour1, "255 0 0");  // colour 2 never chosen: empty
  Template("%1_%2_%3.wgw", "%2 %3\r\nc1=%4;c2=%5;%%1", "f%1 %4", "top %%%1");
  schema.Write();
  EXPECT_EQ(Read("5_dark red_красный.wgw"),
            "dark red красный\r\nc1=255 0 0;c2=;%1\r\n"
            "f5 255 0 0\r\nf5 255 0 0\r\nf5 255 0 0\r\nf5 255 0 0\r\n"
            "top %5 \r\n");
}

// One schema for every run, the longest first: nothing of a run survives into
// the next.
TEST_F(ModelWriterTest, FloorBlockComesFloorCountMinusOneTimes) {
  Template("f%1.txt", "first", "floor", "last");
  for (int floors : {101, 1, 5}) {
    schema.Set(kFloors, std::to_string(floors));
    schema.Write();
    string expected = "first\r\n";
    for (int i = 1; i < floors; ++i) expected += "floor\r\n";
    EXPECT_EQ(Read("f" + std::to_string(floors) + ".txt"), expected + "last \r\n") << floors;
  }
}

TEST_F(ModelWriterTest, EmptyLastFieldWritesNoFile) {
  schema.Set(kFloors, "3");
  Template("x.txt", "first", "floor", "");
  schema.Write();
  EXPECT_FALSE(toolkit::IsExistingFile(folder + "x.txt"));
  EXPECT_EQ(schema.Written.values.size(), 1u);  // the writer still reports its end
}

// Field 1 and the English name become paths unchecked; nothing may land
// outside the result folder, and every refusal counts as a failed file.
TEST_F(ModelWriterTest, FilesOutsideTheResultFolderAreRefusedAndReportedAsFailures) {
  schema.Set(kFloors, "1");
  std::filesystem::create_directories(Native(folder + "sub"));
  const struct {
    string name;
    int32_t saved;
  } cases[] = {
      {"plain.txt", 1},           {"sub/in.txt", 1},      {"sub/../back.txt", 1},
      {"..\\out.txt", 0},        {"sub\\..\\..\\out.txt", 0}, {"../out.txt", 0},
      {"missing/x.txt", 0},    {"C:\\x.txt", 0},        {"... \\x.txt", 0},
  };
  for (const auto& c : cases) {
    Template(c.name, "first", "", "last");
    schema.Write();
    ASSERT_FALSE(schema.Saved.values.empty()) << c.name;
    EXPECT_EQ(schema.Saved.values.back().IntValue, c.saved) << c.name;
  }
  EXPECT_EQ(schema.Saved.values.size(), std::size(cases));
  EXPECT_EQ(Read("sub/in.txt"), "first\r\nlast \r\n");
  EXPECT_FALSE(std::filesystem::exists(Native(folder + "../out.txt")));
}

TEST(PathInside, ResolvesDotsAndSeparatorsLexically) {
  const struct {
    const char* path;
    const char* root;
    bool inside;
  } cases[] = {
      {"C:\\p\\result\\a.txt", "C:\\p\\result\\", true},
      {"c:\\P\\Result\\\\a\\.\\b.txt", "C:\\p\\result", true},
      {"C:\\p\\result\\x\\..\\a", "C:\\p\\result\\", true},
      {"C:\\p\\result\\", "C:\\p\\result\\", false},
      {"C:\\p\\result\\..\\a", "C:\\p\\result\\", false},
      {"C:\\p\\results\\a", "C:\\p\\result\\", false},
      {"D:\\p\\result\\a", "C:\\p\\result\\", false},
      {"C:\\p\\result\\a:stream", "C:\\p\\result\\", false},
      {"C:\\p\\result\\..  \\a", "C:\\p\\result\\", false},
      {"\\\\server\\share\\a", "C:\\p\\result\\", false},
      {"/tmp/result/a", "/tmp/result/", true},
      {"/tmp/result/../../a", "/tmp/result/", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPathInside(c.path, c.root), c.inside) << c.path;
}

}  // namespace
