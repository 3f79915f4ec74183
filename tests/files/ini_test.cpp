// The settings-file component over the system's profile functions.
#include <gtest/gtest.h>

#include "components/files/ini.h"
#include "tests/core/probes.h"
#include "tests/files/files_test.h"

namespace {

struct IniTest : ::testing::Test {
  DispatchOn on;
  Scratch dir{"настройки"};
  TKestoini ini;
  Probe value;
  void SetUp() override {
    ini.FileName = dir.root + "settings.ini";
    ini.Section = "update";
    ini.Key = "data_ver";
    ini.Value = Link<&Probe::In>(&value);
  }
  TData Read(TData in = TData()) {
    value = Probe();
    FireEvent(Link<&TKestoini::Read>(&ini), in);
    return value.values.size() == 1 ? value.values[0] : StringData("none");
  }
  void Write(TData in) { FireEvent(Link<&TKestoini::Write>(&ini), in); }
  std::string Bytes(const std::string& name = "settings.ini") const {
    std::string b;
    toolkit::ReadFileBytes(dir.root + name, b);
    return b;
  }
};

TEST_F(IniTest, MissingFileReadsZero) {
  TData v = Read();
  EXPECT_EQ(v.Kind, dtInteger);
  EXPECT_EQ(v.IntValue, 0);
  EXPECT_FALSE(Exists(ini.FileName));
}

TEST_F(IniTest, ReadWriteReadInPlace) {
  dir.File("settings.ini", "[other]\r\ndata_ver=3\r\n[update]\r\ndata_ver=7\r\n");
  EXPECT_EQ(Read().IntValue, 7);
  Write(IntegerData(12));
  EXPECT_NE(Bytes().find("[update]\r\ndata_ver=12"), std::string::npos) << Bytes();
  EXPECT_NE(Bytes().find("data_ver=3"), std::string::npos);
  EXPECT_EQ(Read().IntValue, 12);
  Write(StringData("15"));
  EXPECT_EQ(Read().IntValue, 15);
  Write(StringData("abc"));
  EXPECT_NE(Bytes().find("data_ver=0"), std::string::npos);
}

TEST_F(IniTest, PointsTakeTheIncomingChainInOrder) {
  ini.FileName = ini.Section = ini.Key = "";
  ini.Type = 1;
  // Write reads FileName, Section, Value, Key.
  TData key = StringData("ключ"), text = StringData("значение"), section = StringData("раздел");
  TData in = StringData(dir.root + "цепочка.ini");
  in.Next = &section, section.Next = &text, text.Next = &key;
  Write(in);
  TData readKey = StringData("ключ"), readSection = StringData("раздел");
  TData readIn = StringData(dir.root + "цепочка.ini");
  readIn.Next = &readSection, readSection.Next = &readKey;
  EXPECT_EQ(Read(readIn).StrValue, "значение");
  // The file holds the program's own bytes whatever the system's code page.
  EXPECT_NE(Bytes("цепочка.ini").find("[раздел]\r\nключ=значение"), std::string::npos);
}

TEST_F(IniTest, LongStringIsCutAt2047) {
  ini.Type = 1;
  const std::string long_value(3000, 'z');
  dir.File("settings.ini", "[update]\r\ndata_ver=" + long_value + "\r\n");
  EXPECT_EQ(Read().StrValue, long_value.substr(0, 2047));
}

TEST_F(IniTest, NamePlacement) {
  const std::string unique = "ostrel_" + std::to_string(GetCurrentProcessId()) + ".ini";
  for (const std::string& name : {unique, "%tmpdir%" + unique}) {
    ini.FileName = name;
    Write(IntegerData(5));
    const std::string where = (name == unique ? toolkit::ProgramFolder() : toolkit::TempFolder()) + unique;
    EXPECT_TRUE(Exists(where)) << where;
    DeleteFileW(toolkit::Widen(where).c_str());
  }
  // A relative name with a folder part is left to the profile functions: the current folder.
  dir.Folder("sub");
  SetCurrentDirectoryW(dir.Wide("").c_str());
  ini.FileName = "sub\\test.ini";
  Write(IntegerData(9));
  SetCurrentDirectoryW(L"C:\\");
  EXPECT_NE(Bytes("sub\\test.ini").find("data_ver=9"), std::string::npos);
}

}  // namespace
