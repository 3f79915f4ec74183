// The model writer, fed from memories, writing into a temp folder.
#include <gtest/gtest.h>

#include <random>

#include "tests/nested/wall_schema.h"
#include "toolkit/file_bytes.h"

namespace {

using namespace nested_test;
using std::string;

struct ModelWriterTest : ::testing::Test {
  void SetUp() override {
#ifdef _WIN32
    folder = toolkit::TempFolder() + "ostrel_model_writer_" + std::to_string(std::random_device{}()) + "\\";
#endif
    std::filesystem::create_directories(Native(folder));
    schema.Set(kFolder, folder);
  }
  void TearDown() override { std::filesystem::remove_all(Native(folder)); }
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

  string folder = "/tmp/ostrel_model_writer_" + std::to_string(std::random_device{}()) + "/";
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

}  // namespace
