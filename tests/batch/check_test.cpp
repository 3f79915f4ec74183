// The template check on small program folders, each with the exact lines it
// must print, and on the sample templates, which must come out clean.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "batch/check.h"
#include "toolkit/utf8.h"

namespace {

namespace fs = std::filesystem;
using std::string;

string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

const string kPicture = Bytes(fs::path(OSTREL_SAMPLES) / "house_small.bmp");

string Repeated(const string& s, int times) {
  string all;
  while (times-- > 0) all += s;
  return all;
}

// Twenty lines for a file with thirty "%0", the last saying that more follow.
std::vector<string> TwentyOfThirty() {
  std::vector<string> lines;
  for (int column = 4; column < 42; column += 2)
    lines.push_back("sources/many.wgw:1:" + std::to_string(column) +
                    ": placeholder: \"%0\" stays as it is: only %1 to %5 are filled; write %%0 for the text itself");
  lines.push_back("sources/many.wgw:1:42: too-many: more problems follow in this file: fix these, then check again");
  return lines;
}

struct Case {
  const char* what;
  std::vector<std::pair<string, string>> files;  // a path ending in "/" is a folder; "samples" the samples
  std::vector<string> lines;                     // cp1251, as printed after the program folder
};

const Case kCases[] = {
    {"the samples", {{"samples", ""}}, {}},
    {"fields",
     {{"sources/none.wgw", "just text"}, {"sources/two.wgw", "a||b"}, {"sources/three.wgw", "c||b\r\n||f"},
      {"sources/top.wgw", "d||b||f||||x"}, {"sources/extra.wgw", "e||b||f||t||tail"}, {"sources/bar.wgw", "f||b|x||f||t"}},
     {"sources/bar.wgw:1:5: single-bar: a single \"|\" ends field 2 here and drops the character after it: a template cannot hold \"|\"",
      "sources/bar.wgw:1:12: extra-text: the window ignores the text after the fourth \"||\": remove it, or the \"||\" before it",
      "sources/extra.wgw:1:13: extra-text: the window ignores the text after the fourth \"||\": remove it, or the \"||\" before it",
      "sources/none.wgw:1:1: no-fields: no \"||\" in the text, so the window writes nothing: separate the four fields with \"||\"",
      "sources/three.wgw:2:4: few-fields: 3 fields: the top is missing, so the window writes nothing: add \"||\" and what is missing",
      "sources/top.wgw:1:10: empty-top: the top (field 4) is empty, so the window writes nothing: fill it in",
      "sources/top.wgw:1:12: extra-text: the window ignores the text after the fourth \"||\": remove it, or the \"||\" before it",
      "sources/two.wgw:1:5: few-fields: 2 fields: the floor block and the top are missing, so the window writes nothing: add \"||\" and what is missing"}},
    {"placeholders",
     {{"sources/p.wgw", "p_%1.wgm||%0 %%6 %% 50% off %1%2\r\nline %12 %9\r\n||f%5||t 100%"}, {"sources/cr.wgw", "c||a\rb\r%7||f||t"}},
     {"sources/cr.wgw:3:1: placeholder: \"%7\" stays as it is: only %1 to %5 are filled; write %%7 for the text itself",
      "sources/p.wgw:1:11: placeholder: \"%0\" stays as it is: only %1 to %5 are filled; write %%0 for the text itself",
      "sources/p.wgw:2:6: placeholder: \"%12\" stays as it is: a digit right after %1 keeps it from being filled; put something between them",
      "sources/p.wgw:2:10: placeholder: \"%9\" stays as it is: only %1 to %5 are filled; write %%9 for the text itself",
      "sources/p.wgw:3:13: lone-percent: a \"%\" at the end of a line stays as it is: write %% for a percent sign, or finish the placeholder (%1 to %5)"}},
    {"many problems", {{"sources/many.wgw", "m||" + Repeated("%0", 30) + "||f||t"}}, TwentyOfThirty()},
    {"output names",
     {{"sources/empty.wgw", "||b||f||t"}, {"sources/up.wgw", "..\\..\\x||b||f||t"}, {"sources/drive.wgw", "C:x||b||f||t"},
      {"sources/root.wgw", "/x||b||f||t"}, {"sources/dots.wgw", ". .\\x||b||f||t"}, {"sources/in.wgw", "..\\in_%2||b||f||t"},
      {"sources/device.wgw", "Lpt1 .txt||b||f||t"}, {"sources/star.wgw", "a*%2||b||f||t"}, {"sources/blank.wgw", "x_%2 ||b||f||t"},
      {"sources/break.wgw", "x\r\n||b||f||t"}, {"sources/sub.wgw", "sub/s\\s_%2||b||f||t"}, {"sources/h.wgh", "..\\h||b||f||t"}},
     {"sources/blank.wgw:1:1: bad-name: Windows cannot create \"x_red \": Windows drops the dot or blank at the end of \"x_red \"",
      "sources/break.wgw:1:1: bad-name: Windows cannot create \"x\\r\\n\": it holds a line break or another control character",
      "sources/device.wgw:1:1: bad-name: Windows cannot create \"Lpt1 .txt\": \"Lpt1 .txt\" is the name of a device",
      "sources/dots.wgw:1:1: outside: the window refuses to write \". .\\x\": a part made only of dots and blanks; give a plain file name",
      "sources/drive.wgw:1:1: outside: the window refuses to write \"C:x\": \":\" names a drive or a stream; give a plain file name",
      "sources/empty.wgw:1:1: empty-name: field 1, the file name, is empty: nothing is written; put a name before the first \"||\"",
      "sources/h.wgh:1:1: no-preview: no preview picture: add \"h.bmp\" (colour 1 bright pink, colour 2 acid green)",
      "sources/h.wgh:1:1: outside: the window refuses to write \"..\\h\": \"..\" leads out of result\\; give a plain file name",
      "sources/star.wgw:1:1: bad-name: Windows cannot create \"a*red\": Windows refuses the character \"*\"",
      "sources/sub.wgw:1:1: subfolder: the window makes no folder \"sub\\s\\\" for \"sub/s\\s_red\": the file is written only where it exists already; drop the folder",
      "sources/up.wgw:1:1: outside: the window refuses to write \"..\\..\\x\": \"..\" leads out of result\\; give a plain file name"}},
    {"one output for two walls",
     {{"sources/a.wgw", "Wall_%2.wgm||b||f||t"}, {"sources/b.wgw", "wall_RED.WGM||b||f||t"}, {"sources/c.wgw", "wall_%3||b||f||t"},
      {"sources/d.wgw", "стена_%2||b||f||t"}, {"sources/e.wgw", "СТЕНА_red||b||f||t"}, {"sources/h.wgh", "Wall_%2.wgm||b||f||t"},
      {"sources/h.bmp", kPicture}},
     {"sources/b.wgw:1:1: same-output: writes \"wall_RED.WGM\" as \"a.wgw\" does, and the window keeps whichever comes last: rename one",
      "sources/e.wgw:1:1: same-output: writes \"СТЕНА_red\" as \"d.wgw\" does, and the window keeps whichever comes last: rename one"}},
    {"encodings",
     {{"sources/bom.wgw", "\xEF\xBB\xBF" "bom||b||f||t"}, {"sources/ansi.wgw", "a||«ЛЕС» Кирпичная стена||f||t"},
      {"sources/utf8.wgw", "u||a\nb\r\nName = \xD0\xA1\xD1\x82\xD0\xB5\xD0\xBD\xD0\xB0||f||t"},
      {"sources/utf16.wgw", string("\xFF\xFEx\0", 4)}, {"sources/nul.wgw", string("n||b||f||t\r\n\0x", 14)}},
     {"sources/bom.wgw:1:1: utf8-bom: UTF-8 byte-order mark, which the window reads as \"п»ї\": save the file as cp1251 (ANSI)",
      "sources/nul.wgw:2:1: nul-byte: a 0 byte ends the text here for the window: remove it and what it hides",
      "sources/utf16.wgw:1:1: utf16: the file is UTF-16, the window reads cp1251: save it as cp1251 (ANSI)",
      "sources/utf8.wgw:3:8: utf8-text: UTF-8 text \"Стена\" shows as \"РЎС‚РµРЅР°\" in the window: save the file as cp1251 (ANSI)"}},
    {"house previews",
     {{"sources/h.wgh", "h||b||f||t"}, {"sources/h.bmp", kPicture}, {"sources/old/none.wgh", "h||b||f||t"},
      {"sources/old/junk.wgh", "h||b||f||t"}, {"sources/old/junk.bmp", "not a picture"}, {"sources/old/cut.wgh", "h||b||f||t"},
      {"sources/old/cut.bmp", kPicture.substr(0, 2000)}, {"sources/old/Big.WGH", "h||b||f||t"}, {"sources/old/w.wgw", "w||b||f||t"}},
     {"sources/old/Big.WGH:1:1: no-preview: the window looks for the preview under \".wgh\" in lower case: rename it so",
      "sources/old/cut.wgh:1:1: bad-preview: the preview \"cut.bmp\" ends before its last row: save it again as a BMP",
      "sources/old/junk.wgh:1:1: bad-preview: the preview \"junk.bmp\" does not decode as a picture: save it again as a BMP",
      "sources/old/none.wgh:1:1: no-preview: no preview picture: add \"none.bmp\" (colour 1 bright pink, colour 2 acid green)",
      "sources/old/w.wgw:1:1: nested-wall: the window reads wall templates only straight in sources\\: move it there"}},
    {"empty", {{"sources/", ""}}, {"sources:0:0: no-templates: the folder is empty: put the wall (*.wgw) and house (*.wgh) templates in it"}},
    {"no template", {{"sources/a.wgw.bak", "a||b||f||t"}, {"sources/old/", ""}},
     {"sources:0:0: no-templates: no wall (*.wgw) or house (*.wgh) template: name them with these endings"}},
};

TEST(TemplateCheck, PrintsExactlyTheseLines) {
  for (const Case& c : kCases) {
    const fs::path dir = fs::temp_directory_path() / ("ostrel_check_" + std::to_string(std::random_device{}()));
    for (const auto& [path, bytes] : c.files) {
      fs::create_directories((dir / path).parent_path());
      if (path == "samples") fs::copy(OSTREL_SAMPLES, dir / "sources", fs::copy_options::recursive);
      else if (path.back() != '/') std::ofstream(dir / path, std::ios::binary) << bytes;
    }
    string folder = dir.string() + "/";
    std::replace(folder.begin(), folder.end(), '/', '\\');
    const TemplateCheck check = CheckTemplates(folder);
    std::vector<string> lines, want;
    for (const TemplateProblem& problem : check.problems) lines.push_back(ProblemLine(problem, ""));
    for (const string& line : c.lines) want.push_back(toolkit::Cp1251ToUtf8(line));
    EXPECT_TRUE(check.listed) << c.what;
    EXPECT_EQ(lines, want) << c.what;
    fs::remove_all(dir);
  }
  EXPECT_FALSE(CheckTemplates("C:\\no such folder\\").listed);
}

}  // namespace
