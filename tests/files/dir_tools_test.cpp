// Folder creation, the current and the program folder, deleting files.
#include <gtest/gtest.h>

#include "components/files/dir.h"
#include "components/files/file_tools.h"
#include "tests/files/files_test.h"

namespace {

struct DirTest : ::testing::Test {
  DispatchOn on;
  Scratch dir{"папки"};
  TKestoDir tool;
  Probe done, error;
  void SetUp() override {
    tool.Done = Link<&Probe::In>(&done);
    tool.Error = Link<&Probe::In>(&error);
  }
  // "D" for Done, "E" for Error.
  std::string Create(const std::string& path) {
    done = error = Probe();
    FireString(Link<&TKestoDir::Create>(&tool), path);
    return std::string(done.values.size(), 'D') + std::string(error.values.size(), 'E');
  }
};

TEST_F(DirTest, CreateWithParents) {
  const std::string deep = dir.root + "результат\\5_red\\";
  EXPECT_EQ(Create(deep), "D");
  EXPECT_TRUE(Attributes(deep) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(Create(deep.substr(0, deep.size() - 1)), "D");  // exists already
  EXPECT_EQ(Create(""), "E");
  EXPECT_EQ(Create("ostrel_relative"), "E");
  EXPECT_EQ(Create("ab"), "D");
  EXPECT_FALSE(Exists("ostrel_relative") || Exists("ab"));
  EXPECT_EQ(Create("C:\\"), "D");
  dir.File("файл");
  EXPECT_EQ(Create(dir.root + "файл\\под"), "E");
}

TEST_F(DirTest, CurrentAndProgramFolder) {
  wchar_t before[MAX_PATH], now[MAX_PATH], module[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, before);
  FireString(Link<&TKestoDir::SetCurrent>(&tool), dir.root);
  GetCurrentDirectoryW(MAX_PATH, now);
  EXPECT_EQ(toolkit::Narrow(now) + "\\", dir.root);
  FireString(Link<&TKestoDir::SetCurrent>(&tool), dir.root + "нет");  // failure not reported
  ASSERT_EQ(done.values.size(), 2u);
  EXPECT_EQ(done.values[1].Kind, dtNull);
  std::string program = toolkit::Narrow(std::wstring(module, GetModuleFileNameW(nullptr, module, MAX_PATH)));
  TData folder;
  tool.AppFolder(folder, 0);
  EXPECT_EQ(folder.StrValue, program.substr(0, program.rfind('\\') + 1));
  SetCurrentDirectoryW(before);
}

struct ToolsTest : ::testing::Test {
  DispatchOn on;
  Scratch dir{"удаление"};
  TKestoFileTools tool;
  Probe done;
  void SetUp() override { tool.Done = Link<&Probe::In>(&done); }
  size_t Delete(const std::string& name) {
    done = Probe();
    FireString(Link<&TKestoFileTools::Delete>(&tool), name);
    return done.values.size();
  }
};

TEST_F(ToolsTest, RecycleBin) {
  const std::string id = std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount());
  const std::string a = "архив " + id + ".zip", b = "b" + id, c = "c" + id, rel = "rel" + id;
  for (const std::string& f : {a, b, c, rel}) dir.File(f);
  EXPECT_EQ(Delete(dir.root + a), 1u);
  EXPECT_EQ(Delete(dir.root + a), 1u);  // missing: gone all the same
  EXPECT_EQ(Delete(dir.root + b + ";" + dir.root + c), 1u);
  // The shell would delete a relative name for good instead of recycling it.
  SetCurrentDirectoryW(dir.Wide("").c_str());
  EXPECT_EQ(Delete(rel), 1u);
  SetCurrentDirectoryW(L"C:\\");
  // Wine's recycle bin is the desktop trash; natively there is no file to look at.
  wchar_t xdg[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"XDG_DATA_HOME", xdg, MAX_PATH);
  for (const std::string& f : {a, b, c, rel}) {
    EXPECT_FALSE(Exists(dir.root + f)) << f;
    if (n && n < MAX_PATH) {
      EXPECT_TRUE(Exists("Z:" + toolkit::Narrow(xdg) + "/Trash/files/" + f)) << f;
    }
  }
}

// "semi;x\a.zip" beside a folder "semi" and, in the current folder,
// "x\a.zip": the named file goes, and nothing else whether it is there or
// not; a folder never.
TEST_F(ToolsTest, RecycleBinSemicolonInAPathTakesNothingElse) {
  dir.Folder("semi"), dir.Folder("x"), dir.Folder("semi;x");
  dir.File("semi\\keep"), dir.File("x\\a.zip"), dir.File("semi;x\\a.zip");
  SetCurrentDirectoryW(dir.Wide("").c_str());
  for (const char* name : {"semi;x\\a.zip", "semi;x\\a.zip", "semi", "semi;x"}) {
    EXPECT_EQ(Delete(dir.root + name), 1u) << name;
    EXPECT_TRUE(Exists(dir.root + "semi\\keep") && Exists(dir.root + "x\\a.zip") && Exists(dir.root + "semi;x"));
  }
  EXPECT_FALSE(Exists(dir.root + "semi;x\\a.zip"));
  SetCurrentDirectoryW(L"C:\\");
}

TEST_F(ToolsTest, DirectWithWildcards) {
  tool.Recycle = 1;
  for (const char* f : {"1.tmp", "два.tmp", "keep.txt"}) dir.File(f);
  dir.Folder("папка.tmp");
  EXPECT_EQ(Delete(dir.root + "*.tmp"), 1u);
  EXPECT_FALSE(Exists(dir.root + "1.tmp") || Exists(dir.root + "два.tmp"));
  EXPECT_TRUE(Exists(dir.root + "keep.txt") && Exists(dir.root + "папка.tmp"));
  SetFileAttributesW(dir.Wide("keep.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Delete(dir.root + "keep.txt"), 0u);  // still there: nothing fired
}

}  // namespace
