// The batch tool: its job checks, and the tool itself run on a program
// folder, its result tree compared byte for byte with what the window makes
// from the same templates (the window's own e2e tests pin those bytes).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <map>
#include <random>

#include "batch/jobs.h"
#include "runtime/dispatch.h"
#include "toolkit/system.h"
#include "toolkit/utf8.h"

namespace {

namespace fs = std::filesystem;
using std::string;

string U(const string& cp1251) { return toolkit::Cp1251ToUtf8(cp1251); }

TEST(BatchJobs, ColoursBecomeTheWindowsText) {
  const struct {
    const char *in, *text;
  } ok[] = {{"", ""}, {"255 0 0", "255 0 0"}, {"#FF8000", "255 128 0"}, {" 007  0 9 ", "7 0 9"}, {"#0a0B0c", "10 11 12"}};
  for (const auto& c : ok) {
    string text, error;
    EXPECT_TRUE(ColourText(c.in, text, error)) << c.in;
    EXPECT_EQ(text, c.text) << c.in;
  }
  for (const char* bad : {"256 0 0", "1 2", "1 2 3 4", "-1 0 0", "#12345", "#GG0000", "red"}) {
    string text, error;
    EXPECT_FALSE(ColourText(bad, text, error)) << bad;
  }
}

// Each bad line names its number and what is wrong; good lines around it
// stay jobs; a bad header fails the whole file.
TEST(BatchJobs, JobFileLinesCheckedOneByOne) {
  const string file = "\xEF\xBB\xBF" + U(
      "floors,en,ru,colour1,colour2\r\n"
      "5,dark red,тёмно-красный,255 0 0,\r\n"  // 2
      "\r\n"
      "5,red,красный,255 0 0\n"                // 4: a field short
      "0,red,красный,,\n"                      // 5
      "102,red,красный,,\n"                    // 6
      "five,red,красный,,\n"                   // 7
      ",red,красный,,\n"                       // 8
      "5,,красный,,\n"                         // 9
      "5,red,,,\n"                             // 10
      "5,red,красный,300 0 0,\n"               // 11
      "5,red,красный,,#12\n"                   // 12
      "\"1\",\"a, \"\"b\"\"\",б,#000000,0 0 0\n"  // 13
      "5,\"open,x,,\n") +                      // 14
      "5,\xE6\x97\xA5,x,,\n";                  // 15: a character cp1251 lacks
  std::vector<JobLine> jobs;
  string error;
  ASSERT_TRUE(ParseJobFile(file, jobs, error)) << error;
  const struct {
    int line;
    const char* error;  // "" for a good job
  } want[] = {{2, ""},
              {4, "4 fields, expected 5"},
              {5, "floor count \"0\" outside 1..101"},
              {6, "floor count \"102\" outside 1..101"},
              {7, "floor count \"five\" outside 1..101"},
              {8, "missing floor count"},
              {9, "missing English name"},
              {10, "missing Russian name"},
              {11, "colour 1: colour \"300 0 0\" out of range"},
              {12, "colour 2: colour \"#12\" is not #RRGGBB"},
              {13, ""},
              {14, "not closed"},
              {15, "cp1251 cannot hold"}};
  ASSERT_EQ(jobs.size(), std::size(want));
  for (size_t i = 0; i < jobs.size(); ++i) {
    EXPECT_EQ(jobs[i].line, want[i].line);
    if (*want[i].error == '\0')
      EXPECT_EQ(jobs[i].error, "") << want[i].line;
    else
      EXPECT_NE(jobs[i].error.find(want[i].error), string::npos) << want[i].line << ": " << jobs[i].error;
  }
  EXPECT_EQ(jobs[0].inputs.russian, "тёмно-красный");  // cp1251, as the window holds it
  EXPECT_EQ(jobs[0].inputs.colour2, "");
  EXPECT_EQ(jobs[10].inputs.english, "a, \"b\"");
  EXPECT_EQ(jobs[10].inputs.colour1, "0 0 0");
  for (const char* bad : {"floors,en,ru,colour1\n5,a,b,,\n", "", "\n\n"})
    EXPECT_FALSE(ParseJobFile(bad, jobs, error)) << bad;
}

// A program folder in the temp folder, removed afterwards.
struct BatchRun : ::testing::Test {
  void SetUp() override {
    fs::create_directories(dir / "sources" / "old");
    fs::create_directories(dir / "result" / "sub");  // for the template that names a subfolder
  }
  void TearDown() override { fs::remove_all(dir); }
  void Put(const fs::path& relative, const string& bytes) { std::ofstream(dir / relative, std::ios::binary) << bytes; }
  // Runs the tool with these arguments; answers the exit code, keeps the output.
  int Run(const string& arguments) {
    const string command = string(OSTREL_BATCH) + " --folder '" + dir.string() + "' " + arguments + " >'" +
                           (dir / "batch.log").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(dir / "batch.log");
    output.assign(std::istreambuf_iterator<char>(in), {});
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::map<string, string> Result() const {
    std::map<string, string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir / "result"))
      if (e.is_regular_file()) {
        std::ifstream in(e.path(), std::ios::binary);
        files[fs::relative(e.path(), dir / "result").string()].assign(std::istreambuf_iterator<char>(in), {});
      }
    return files;
  }

  fs::path dir = fs::temp_directory_path() / ("ostrel_batch_" + std::to_string(std::random_device{}()));
  string output;
};

string Times(int n, const string& s) {
  string all;
  for (int i = 0; i < n; ++i) all += s;
  return all;
}

// Walls and houses for one table of inputs; file and folder names come out
// in UTF-8, contents stay cp1251, "\" in field 1 is a folder.
TEST_F(BatchRun, WritesTheWindowsTreeByteForByte) {
  Put("sources/single.wgw", "w_%2.wgw||A%1||B||C");
  Put("sources/fields.wgw", "%1_%3.txt||%2 %3\r\nc1=%4;c2=%5;%%1||f%1 %4||top");
  Put("sources/nodelimiter.wgw", "nothing to cut");
  Put("sources/old/house.wgh", "sub\\h_%2_%1.txt||%3 %4 %5||fl||roof");
  const struct {
    int floors;
    const char *en, *ru, *colour1, *colour2, *text1, *text2;
  } inputs[] = {
      {5, "dark red", "тёмно-красный", "255 0 0", "", "255 0 0", ""},
      {1, "red", "красный", "#FF8000", "0 128 255", "255 128 0", "0 128 255"},
      {101, "blue", "синий", "0 0 255", "#000000", "0 0 255", "0 0 0"},
  };
  string jobs = "floors,en,ru,colour1,colour2\n";
  std::map<string, string> want;
  for (const auto& in : inputs) {
    const string n = std::to_string(in.floors), en = in.en, ru = in.ru, c1 = in.text1, c2 = in.text2;
    jobs += U(n + "," + en + "," + ru + "," + in.colour1 + "," + in.colour2 + "\n");
    string folder = n + "_" + en;
    std::replace(folder.begin(), folder.end(), ' ', '_');
    want[U(folder + "/w_" + en + ".wgw")] = "A" + n + "\r\n" + Times(in.floors - 1, "B\r\n") + "C\r\n \r\n";
    want[U(folder + "/" + n + "_" + ru + ".txt")] =
        en + " " + ru + "\r\nc1=" + c1 + ";c2=" + c2 + ";%1\r\n" + Times(in.floors - 1, "f" + n + " " + c1 + "\r\n") +
        "top\r\n \r\n";
    want[U("sub/h_" + en + "_" + n + ".txt")] = ru + " " + c1 + " " + c2 + "\r\n" + Times(in.floors - 1, "fl\r\n") + "roof\r\n \r\n";
  }
  Put("jobs.csv", jobs);
  EXPECT_EQ(Run("--jobs '" + (dir / "jobs.csv").string() + "'"), 0) << output;
  EXPECT_EQ(Run("--houses --jobs '" + (dir / "jobs.csv").string() + "'"), 0) << output;
  EXPECT_EQ(Result(), want);
  EXPECT_NE(output.find("jobs: 3 (0 failed), files written: 3, files failed: 0"), string::npos) << output;
}

// The schema in this process, under the sanitizers: a house found in a
// subfolder, one save counted; an unchanged second run overwrites it.
TEST_F(BatchRun, SchemaCountsItsSaves) {
  Put("sources/old/h.wgh", "h_%2.txt||%1 %4||f||top");
  string folder = dir.string() + "/";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  toolkit::SetProgramFolder(folder);
  BatchSchema schema;
  SwitchDispatchOn();
  schema.SetInputs({"2", "red", "красный", "1 2 3", ""});
  for (int run = 1; run <= 2; ++run) {
    schema.MakeHouses();
    EXPECT_EQ(schema.Saves.written, run);
  }
  SwitchDispatchOff();
  toolkit::SetProgramFolder("C:\\ostrel\\");
  EXPECT_EQ(Result(), (std::map<string, string>{{"h_red.txt", "2 1 2 3\r\nf\r\ntop\r\n \r\n"}}));
}

// Exit codes: 0 only when every file of every job was written; a bad line
// writes nothing and the other jobs still run; 2 for what stops the run.
TEST_F(BatchRun, ExitCodesAndMessages) {
  Put("sources/a.wgw", "a.txt||a||b||c");
  Put("sources/h.wgh", "h.txt||a||b||c");
  Put("jobs.csv", "floors,en,ru,colour1,colour2\n2,x,y,,\n200,bad,y,,\n3,z,y,,\n");
  Put("header.csv", "floors;en\n");
  const string jobs = "--jobs '" + (dir / "jobs.csv").string() + "'";
  const struct {
    string arguments;
    int code;
    const char* says;
  } runs[] = {
      {"--floors 5 --en ok --ru y --colour1 '1 2 3'", 0, "files written: 1, files failed: 0"},
      {jobs, 1, "jobs.csv:3: floor count \"200\" outside 1..101; nothing written"},
      {"--house '" + (dir / "sources/h.wgh").string() + "' --floors 1 --en h --ru y", 0, "files written: 1"},
      {"--house '" + (dir / "missing.wgh").string() + "' --floors 1 --en h --ru y", 2, "cannot read the house template"},
      {"--jobs '" + (dir / "header.csv").string() + "'", 2, "header"},
      {"--jobs '" + (dir / "none.csv").string() + "'", 2, "cannot read the job file"},
      {"--floors 5 --en x", 2, "missing Russian name"},
      {"--floors 5 --en x --ru y " + jobs, 2, "either"},
      {"--walls --houses " + jobs, 2, "exclude"},
      {"--floor 5", 2, "unknown option --floor"},
      {"--folder '" + (dir / "\xE4\xB8\xAD").string() + "' --floors 1 --en h --ru y", 2, "cannot be named in cp1251"},
      {"--check", 1, "/sources/h.wgh:1:1: no-preview: no preview picture: add \"h.bmp\""},
      {"--check --houses", 2, "--check takes no option but --folder"},
      {"--help", 0, "--colour2 COLOUR"},
  };
  for (const auto& r : runs) {
    EXPECT_EQ(Run(r.arguments), r.code) << r.arguments << "\n" << output;
    EXPECT_NE(output.find(r.says), string::npos) << r.arguments << "\n" << output;
  }
  const auto files = Result();
  EXPECT_TRUE(files.count("2_x/a.txt") && files.count("3_z/a.txt") && files.count("5_ok/a.txt") && files.count("h.txt"));
  EXPECT_FALSE(fs::exists(dir / "result" / "200_bad"));
  // A subfolder that is not there, and a name leading out of result/: failed files.
  Put("sources/b.wgw", "nosub\\b.txt||a||b||c");
  Put("sources/c.wgw", "..\\..\\out.txt||a||b||c");
  EXPECT_EQ(Run("--floors 1 --en w --ru y"), 1) << output;
  EXPECT_NE(output.find("files written: 1, files failed: 2"), string::npos) << output;
  EXPECT_FALSE(fs::exists(dir / "out.txt"));
  Put("sources/\xE4\xB8\xAD.wgw", "lost.txt||a||b||c");  // a name cp1251 lacks stops the run: nothing written
  EXPECT_EQ(Run("--floors 1 --en lost --ru y"), 2);
  EXPECT_NE(output.find("/sources/\xE4\xB8\xAD.wgw"), string::npos) << output;
  EXPECT_FALSE(fs::exists(dir / "result" / "1_lost"));
  fs::remove_all(dir / "sources");
  EXPECT_EQ(Run("--floors 1 --en w --ru y"), 2);
  EXPECT_NE(output.find("cannot read the template folder"), string::npos) << output;
  EXPECT_EQ(Run("--check"), 2);
}

}  // namespace
