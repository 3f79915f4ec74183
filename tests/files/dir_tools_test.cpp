// Folder creation, current and program folder, deleting files.
#include <gtest/gtest.h>

#include "components/files/dir.h"
#include "components/files/file_tools.h"
#include "tests/core/probes.h"
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
  EXPECT_EQ(Create("ostrel_relative_folder"), "E");
  EXPECT_FALSE(Exists("ostrel_relative_folder"));
  EXPECT_EQ(Create("ab"), "D");
  EXPECT_FALSE(Exists("ab"));
  EXPECT_EQ(Create("C:\\"), "D");
  dir.File("файл");
  EXPECT_EQ(Create(dir.root + "файл\\"), "E");
  EXPECT_EQ(Create(dir.root + "файл\\под\\"), "E");
}

TEST_F(DirTest, CurrentAndProgramFolder) {
  wchar_t before[MAX_PATH], now[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, before);
  FireString(Link<&TKestoDir::SetCurrent>(&tool), dir.root);
  GetCurrentDirectoryW(MAX_PATH, now);
  EXPECT_EQ(toolkit::Narrow(now) + "\\", dir.root);
  FireString(Link<&TKestoDir::SetCurrent>(&tool), dir.root + "нет");  // failure not reported
  ASSERT_EQ(done.values.size(), 2u);
  EXPECT_EQ(done.values[1].Kind, dtNull);

  wchar_t module[MAX_PATH];
  std::string program = toolkit::Narrow(std::wstring(module, GetModuleFileNameW(nullptr, module, MAX_PATH)));
  TData folder;
  tool.AppFolder(folder, 0);
  EXPECT_EQ(ValueToString(folder), program.substr(0, program.rfind('\\') + 1));
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
  // Wine's recycle bin is the desktop's trash; natively there is no file to look at.
  static std::string Trash() {
    wchar_t xdg[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"XDG_DATA_HOME", xdg, MAX_PATH);
    return n && n < MAX_PATH ? "Z:" + toolkit::Narrow(xdg) + "/Trash/files/" : "";
  }
};

TEST_F(ToolsTest, RecycleBin) {
  const std::string unique = std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount());
  const std::string a = "архив " + unique + ".zip", b = "b" + unique + ".tmp", c = "c" + unique + ".tmp";
  for (const std::string& f : {a, b, c}) dir.File(f);
  EXPECT_EQ(Delete(dir.root + a), 1u);
  EXPECT_FALSE(Exists(dir.root + a));
  EXPECT_EQ(Delete(dir.root + a), 1u);  // missing: gone all the same
  EXPECT_EQ(Delete(dir.root + b + ";" + dir.root + c), 1u);
  EXPECT_FALSE(Exists(dir.root + b) || Exists(dir.root + c));
  // A relative name would lose its undo information in the shell.
  SetCurrentDirectoryW(dir.Wide("").c_str());
  dir.File("rel" + unique);
  EXPECT_EQ(Delete("rel" + unique), 1u);
  SetCurrentDirectoryW(L"C:\\");
  const std::string trash = Trash();
  if (trash.empty()) return;
  for (const std::string& f : {a, b, c, "rel" + unique}) EXPECT_TRUE(Exists(trash + f)) << f;
}

TEST_F(ToolsTest, DirectWithWildcards) {
  tool.Recycle = 1;
  for (const char* f : {"1.tmp", "два.tmp", "keep.txt", "3.tmpx"}) dir.File(f);
  dir.Folder("папка.tmp");
  EXPECT_EQ(Delete(dir.root + "*.tmp"), 1u);
  EXPECT_FALSE(Exists(dir.root + "1.tmp") || Exists(dir.root + "два.tmp"));
  EXPECT_TRUE(Exists(dir.root + "keep.txt") && Exists(dir.root + "папка.tmp"));
  // A file that cannot be deleted stays, and nothing is fired.
  SetFileAttributesW(dir.Wide("keep.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Delete(dir.root + "keep.txt"), 0u);
  EXPECT_TRUE(Exists(dir.root + "keep.txt"));
}

}  // namespace
