// ostrel-publish as a publisher runs it: the refusals, each exactly, with
// nothing written; a clean update as Ostrel will read it; the key file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "bszip/archive.h"
#include "components/net/signed_update.h"
#include "publish/keys.h"

namespace {

namespace fs = std::filesystem;
using std::string;

string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return string(std::istreambuf_iterator<char>(in), {});
}
string Keys(const string& name) { return string(OSTREL_TEST_KEYS) + "/" + name; }

struct Publish : ::testing::Test {
  const fs::path dir = fs::temp_directory_path() / ("ostrel-publish-" + std::to_string(getpid()));
  string output;
  void SetUp() override { fs::create_directories(dir / "data"); }
  void TearDown() override { fs::remove_all(dir); }
  void Put(const string& relative, const string& bytes) {
    fs::create_directories((dir / relative).parent_path());
    std::ofstream(dir / relative, std::ios::binary) << bytes;
  }
  int Run(const string& arguments) {
    const string command = string(OSTREL_PUBLISH) + " " + arguments + " >'" + (dir / "log").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    output = Read(dir / "log");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Make(const string& version = "7") {
    return Run("make --data " + (dir / "data").string() + " --version " + version + " --news " +
               (dir / "news.txt").string() + " --key " + Keys("test-update-key.pem") + " --out " +
               (dir / "out").string());
  }
};

TEST_F(Publish, AnUpdateWithProblemsIsRefusedWithEachAndNothingWritten) {
  const string kRefused = "ostrel-publish: nothing written; the update has these problems:\n";
  const struct {
    const char* file;  // put into the data folder beside a good template
    const char* news;
    string refusal;
    const char* bytes = "extra||bottom||floor||top";
  } cases[] = {
      {"sources/tool.exe", "ok",
       "  sources/tool.exe: a program or script file type, which the zip library never unpacks (zip library code 8)\n"},
      {"sources/aux.wgw", "ok", "  sources/aux.wgw: a name Windows or the zip library refuses (a device name such as "
                                "CON or NUL, one of < > : \" | ? * or a control character, a part ending in \".\" or a "
                                "blank, a part over 255 characters) (zip library code 5)\n"},
      {"sources/Wall.wgw", "ok", "  sources/Wall.wgw, sources/wall.wgw: two files with one name as Windows compares "
                                 "names (letters in any case) (zip library code 7)\n"},
      {u8"sources/стена✓.wgw", "ok",
       u8"  sources/стена✓.wgw: the name has a character cp1251 lacks, which Ostrel cannot name\n"},
      {"settings.ini", "ok", "  settings.ini: Ostrel's own file, which an update must not replace\n"},
      {"sources/bad.wgw", "ok",
       "  sources/bad.wgw:1:1: no-fields: no \"||\" in the text, so the window writes nothing: separate the four "
       "fields with \"||\"\n",
       "no fields"},
      {"sources/tool.exe", u8"Стены\nновые ✓ и старые\n",
       "  " + (dir / "news.txt").string() + u8": line 2, column 7: \"✓\" has no cp1251 form\n" +
           "  sources/tool.exe: a program or script file type, which the zip library never unpacks (zip library code 8)\n"},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir / "data");
    Put("data/sources/wall.wgw", "name||bottom||floor||top");
    Put(string("data/") + c.file, c.bytes);
    Put("news.txt", c.news);
    EXPECT_EQ(Make(), 1) << c.file;
    EXPECT_EQ(output, kRefused + c.refusal) << c.file;
    EXPECT_FALSE(fs::exists(dir / "out")) << c.file;
  }
}

TEST_F(Publish, ACleanUpdateIsWhatOstrelReadsAndTheVersionOnlyGrows) {
  Put("data/sources/wall.wgw", "name||bottom||floor||top");
  for (const char* type : {".wgh", ".bmp"})
    Put(u8"data/sources/дома/house" + string(type), Read(string(OSTREL_SAMPLE_DATA) + "/sources/house_manor" + type));
  Put("news.txt", u8"\xEF\xBB\xBFНовое:\n - дом\r\n");
  ASSERT_EQ(Make(), 0) << output;
  const string zip = Read(dir / "out/upd7.zip"), signature = Read(dir / "out/upd7.zip.sig");
  std::vector<bszip::Entry> entries;
  ASSERT_EQ(bszip::ReadArchive({reinterpret_cast<const uint8_t*>(zip.data()), zip.size()}, entries), bszip::kOk);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "sources/wall.wgw");
  EXPECT_EQ(entries[1].name, u8"sources/дома/house.bmp");
  EXPECT_EQ(entries[1].method, 8);
  EXPECT_LT(entries[1].compressedSize, entries[1].size / 10);
  EXPECT_EQ(Read(dir / "out/nowupdate.txt"), "7\r\n");
  EXPECT_EQ(Read(dir / "out/info.txt"), "\xCD\xEE\xE2\xEE\xE5:\r\n - \xE4\xEE\xEC\r\n");
  EXPECT_EQ(signature.size(), 64u);
  const string keyLine = Read(Keys("test-update-key.pub"));
  EXPECT_TRUE(publish::Verify(keyLine, signed_update::MessageHead("upd7.zip"), zip, signature));
  EXPECT_FALSE(publish::Verify(keyLine, signed_update::MessageHead("upd8.zip"), zip, signature));
  EXPECT_NE(output.find(keyLine.substr(0, keyLine.size() - 1)), string::npos) << output;

  EXPECT_EQ(Make("6"), 1);
  EXPECT_NE(output.find("announces version 7 already"), string::npos) << output;
  for (const char* bad : {"0", "07", "-1", "2147483648", "x"}) EXPECT_EQ(Make(bad), 2) << bad;
  EXPECT_EQ(Read(dir / "out/upd7.zip"), zip);
}

TEST_F(Publish, NewKeyMakesAPrivateFileOnceAndPrintsItsKeyLine) {
  const string key = (dir / "key.pem").string();
  ASSERT_EQ(Run("new-key " + key), 0) << output;
  string point;
  EXPECT_TRUE(signed_update::ParseKey(output, point)) << output;
  struct stat s;
  ASSERT_EQ(stat(key.c_str(), &s), 0);
  EXPECT_EQ(s.st_mode & 0777, 0600u);
  const string bytes = Read(key);
  EXPECT_EQ(Run("new-key " + key), 2);
  EXPECT_EQ(Read(key), bytes);
}

// The sample the Windows check is tested with was made by this tool.
TEST(PublishedSample, VerifiesUnderItsOwnKeyOnly) {
  const string zip = Read(Keys("upd5.zip")), head = signed_update::MessageHead("upd5.zip");
  EXPECT_TRUE(publish::Verify(Read(Keys("test-update-key.pub")), head, zip, Read(Keys("upd5.zip.sig"))));
  EXPECT_TRUE(publish::Verify(Read(Keys("other-update-key.pub")), head, zip, Read(Keys("upd5.zip.other-key.sig"))));
  EXPECT_FALSE(publish::Verify(Read(Keys("test-update-key.pub")), head, zip, Read(Keys("upd5.zip.other-key.sig"))));
}

}  // namespace
