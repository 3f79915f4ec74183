// Program folders and templates named with letters cp1251 lacks, as users
// meet them: a home folder "José", a Chinese or Kazakh name. What the user
// gets follows from the short (8.3) form the file system gives: a working
// window, or a box that names the folder or the templates left out.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace {

using namespace e2e;
using std::string;
using std::wstring;

bool Fits(const wstring& w) {
  BOOL lacking = FALSE;
  WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, w.c_str(), -1, nullptr, 0, nullptr, &lacking);
  return !lacking;
}

// The path as it is, or else its short form, holds only cp1251 letters.
bool Reachable(const wstring& path, bool shortNames) {
  wchar_t brief[MAX_PATH];
  const DWORD n = shortNames ? GetShortPathNameW(path.c_str(), brief, MAX_PATH) : 0;
  return Fits(path) || (n > 0 && n < MAX_PATH && Fits(brief));
}

string Model(const string& english) { return english + "\r\nf\r\nf\r\nf\r\nf\r\ntop\r\n \r\n"; }

TEST(FolderNames, TheWindowWorksThroughShortNamesOrNamesWhatItCannotReach) {
  const struct {
    const wchar_t *folder, *wall, *house;  // the folder's name ends in `folder`
    bool shortNames;  // false: the program built as for a file system without them
  } rows[] = {
      {L"m_José", L"w.wgw", L"h.wgh", true},
      {L"m_\u4E2D", L"w.wgw", L"h.wgh", true},
      {L"m_\u4E2D", L"w.wgw", L"h.wgh", false},
      {L"", L"\u4E2D.wgw", L"\u049Aala\\h.wgh", true},
      {L"", L"\u4E2D.wgw", L"José.wgh", false},
  };
  for (const auto& row : rows) [&] {
    SCOPED_TRACE(testing::Message() << row.folder << " " << row.wall << " " << row.house << " " << row.shortNames);
    ProgramFolder folder(row.shortNames ? L"" : Built(OSTREL_NO_SHORT_NAMES_EXE), row.folder);
    const wstring sources = folder.Path() + L"sources\\", result = folder.Path() + L"result\\";
    WriteBytes(sources + row.wall, "w.txt||%2||f||top");
    WriteBytes(sources + row.house, "h.txt||%2||f||top");
    WriteBytes(sources + L"plain.wgh", "p.txt||%2||f||top");
    Ostrel ostrel(folder);
    if (!Reachable(folder.Path(), row.shortNames)) {
      const Box box = AnswerBox(ostrel);
      EXPECT_TRUE(box.error);
      EXPECT_NE(box.text.find(W("Ostrel не может работать в папке\r\n") + folder.Path() + L"\r\n"), wstring::npos);
      EXPECT_EQ(ostrel.WaitForExit(), 2);
      return;
    }
    const bool wallFound = Reachable(sources + row.wall, row.shortNames),
               houseFound = Reachable(sources + row.house, row.shortNames);
    if (!wallFound || !houseFound) {
      const Box box = AnswerBox(ostrel);
      EXPECT_TRUE(box.warning);
      EXPECT_EQ(box.text.find(sources + row.wall) != wstring::npos, !wallFound) << box.text;
      EXPECT_EQ(box.text.find(sources + row.house) != wstring::npos, !houseFound) << box.text;
    }
    HWND form = ostrel.WaitForWindow(L"Ostrel");
    ASSERT_NE(form, nullptr);
    HWND list = ControlAt(form, 340, 25);
    const size_t entries = houseFound ? 2 : 1;
    for (DWORD start = GetTickCount(); Items(list).size() < entries && GetTickCount() - start < 5000;) Sleep(50);
    ASSERT_EQ(Items(list).size(), entries);
    Type(ControlAt(form, 170, 55), L"red");
    for (size_t i = 0; i < entries; ++i) {  // every entry opens
      EXPECT_EQ(Items(list)[i].find(L'?'), wstring::npos);
      ClickItem(list, int(i));
      Click(ControlAt(form, 340, 180));
      EXPECT_FALSE(AnswerBox(ostrel).error);
    }
    EXPECT_EQ(ReadBytes(result + L"h.txt"), houseFound ? Model("red") : "");
    EXPECT_EQ(ReadBytes(result + L"p.txt"), Model("red"));
    Click(ControlAt(form, 170, 180));
    AnswerBox(ostrel);
    EXPECT_EQ(ReadBytes(result + L"5_red\\w.txt"), wallFound ? Model("red") : "");
    if (!row.shortNames) return;  // the batch tool is built with them only
    EXPECT_EQ(RunProgram(Built(OSTREL_BATCH_EXE), L"--folder \"" + folder.Path() + L".\" --floors 5 --en blue --ru x"), 0);
    EXPECT_EQ(ReadBytes(result + L"5_blue\\w.txt"), Model("blue"));
  }();
}

}  // namespace
