// The folder maker and the model writer as the wall button drives them:
// make the folder under the program folder, then write into the path it answers.
#include <gtest/gtest.h>

#include "tests/nested/wall_schema.h"
#include "toolkit/file_bytes.h"

namespace {

using namespace nested_test;

TEST(FolderMaker, MakesTheWallFolderAndTheWriterFillsIt) {
  OwnFolder program("ostrel_folder_maker_");
  toolkit::SetProgramFolder(program.Name());
  const std::string wall = program.Name() + "result\\5_dark_red\\";
  WallSchema schema;
  schema.Set(kFloors, "5");
  schema.Set(kEnglish, "dark red");
  schema.Set(kRussian, "красный");
  TData click = IntegerData(0);
  FireEvent(Link<&TKestoMultiElementEx::Work>(schema.WallFolderMaker.get(), 0), click);
  EXPECT_TRUE(std::filesystem::is_directory(Native(wall)));

  schema.ModelWriter->OuterData[kFolder] = Link<&TKestoMultiElementEx::Data>(schema.WallFolderMaker.get(), 0);
  schema.Set(kField1, "%3 %2.wgw");  // the file name keeps the blank
  schema.Set(kField2, "%1");
  schema.Set(kField4, "%3");
  schema.Write();
  std::string bytes;
  EXPECT_TRUE(toolkit::ReadFileBytes(wall + "красный dark red.wgw", bytes));
  EXPECT_EQ(bytes, "5\r\n\r\n\r\n\r\n\r\nкрасный \r\n");
  toolkit::SetProgramFolder("");
}

}  // namespace
