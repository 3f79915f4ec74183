// The folder maker beside the model writer, as the wall button drives them:
// make the folder, then write into the path it answers.
#include <gtest/gtest.h>

#include <string>

#include "tests/nested/wall_schema.h"
#include "toolkit/file_bytes.h"

namespace {

using namespace nested_test;
using std::string;

TEST(FolderMaker, MakesTheWallFolderUnderTheProgramFolder) {
  // The folder maker builds on the program folder; clean up what it made.
  const string result = toolkit::ProgramFolder() + "result\\";
  const bool hadResult = std::filesystem::exists(Native(result));
  const string wall = result + "5_dark_red\\";
  struct Cleanup {
    string wall, result;
    bool keepResult;
    ~Cleanup() {
      std::error_code ignored;
      std::filesystem::remove_all(Native(wall), ignored);
      if (!keepResult) std::filesystem::remove(Native(result), ignored);
    }
  } cleanup{wall, result, hadResult};

  WallSchema schema;
  schema.Set(kFloors, "5");
  schema.Set(kEnglish, "dark red");
  schema.Set(kRussian, "красный");
  TData click = IntegerData(0);
  FireEvent(Link<&TKestoMultiElementEx::Work>(schema.WallFolderMaker.get(), 0), click);
  ASSERT_TRUE(std::filesystem::is_directory(Native(wall)));

  TData asked;
  EXPECT_EQ(PullString(asked, Link<&TKestoMultiElementEx::Data>(schema.WallFolderMaker.get(), 0), ""),
            wall);
  schema.ModelWriter->OuterData[kFolder] = Link<&TKestoMultiElementEx::Data>(schema.WallFolderMaker.get(), 0);
  schema.Set(kField1, "%3 %2.wgw");  // the name keeps its blank, the folder does not
  schema.Set(kField2, "%1");
  schema.Set(kField4, "%3");
  schema.Write();
  string bytes;
  EXPECT_TRUE(toolkit::ReadFileBytes(wall + "красный dark red.wgw", bytes));
  EXPECT_EQ(bytes, "5\r\n\r\n\r\n\r\n\r\nкрасный \r\n");
}

}  // namespace
