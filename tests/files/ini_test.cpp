// The settings-file component over the system's profile functions.
#include <gtest/gtest.h>

#include "components/files/ini.h"
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

TEST_F(IniTest, ReadWriteRead) {
  EXPECT_EQ(Read().Kind, dtInteger);  // no file: 0
  EXPECT_EQ(Read().IntValue, 0);
  dir.File("settings.ini", "[other]\r\ndata_ver=3\r\n[update]\r\ndata_ver=7\r\n");
  EXPECT_EQ(Read().IntValue, 7);
  Write(IntegerData(12));
  EXPECT_NE(Bytes().find("[update]\r\ndata_ver=12"), std::string::npos) << Bytes();
  EXPECT_EQ(Read().IntValue, 12);
  Write(StringData("15"));
  EXPECT_EQ(Read().IntValue, 15);
  Write(StringData("abc"));
  EXPECT_NE(Bytes().find("[update]\r\ndata_ver=0"), std::string::npos);
  EXPECT_NE(Bytes().find("[other]\r\ndata_ver=3"), std::string::npos);
}

TEST_F(IniTest, StringsComeInChainOrderAndAreCutAt2047) {
  ini.FileName = ini.Section = ini.Key = "";
  ini.Type = 1;
  // Write takes FileName, Section, Value, Key; Read takes FileName, Section, Key.
  TData in = StringData(dir.root + "цепочка.ini"), section = StringData("раздел"),
        text = StringData("значение"), key = StringData("ключ");
  in.Next = &section, section.Next = &text, text.Next = &key;
  Write(in);
  in.Next = &section, section.Next = &key;
  EXPECT_EQ(Read(in).StrValue, "значение");
  // The file holds the program's own bytes whatever the system's code page.
  EXPECT_NE(Bytes("цепочка.ini").find("[раздел]\r\nключ=значение"), std::string::npos);

  const std::string long_value(3000, 'z');
  dir.File("long.ini", "[s]\r\nk=" + long_value + "\r\n");
  ini.FileName = dir.root + "long.ini", ini.Section = "s", ini.Key = "k";
  EXPECT_EQ(Read().StrValue, long_value.substr(0, 2047));
}

TEST_F(IniTest, BareNameGoesIntoTheProgramFolder) {
  ini.FileName = "ostrel_" + std::to_string(GetCurrentProcessId()) + ".ini";
  Write(IntegerData(5));
  const std::wstring where = toolkit::Widen(toolkit::ProgramFolder() + ini.FileName);
  EXPECT_TRUE(DeleteFileW(where.c_str()));
}

}  // namespace
