// Program folders and templates named with letters cp1251 lacks, as users
// meet them: a home folder "José", a Chinese or Kazakh name. What the user
// gets follows from the short (8.3) form the file system gives: a working
// window, or a box that names the folder or the templates left out.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace {

using namespace e2e;
using std::wstring;

// The path as it is, or else its short form, holds only cp1251 letters.
bool Reachable(const wstring& path, bool shortNames) {
  wchar_t brief[MAX_PATH] = L"";
  if (shortNames) GetShortPathNameW(path.c_str(), brief, MAX_PATH);
  for (const wchar_t* name : {path.c_str(), static_cast<const wchar_t*>(brief)}) {
    BOOL lacking = FALSE;
    WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, name, -1, nullptr, 0, nullptr, &lacking);
    if (*name && !lacking) return true;
  }
  return false;
}

// ostrel.exe linked with no_short_names_win.cpp, built beside this program.
wstring NoShortNamesExe() {
  wchar_t self[MAX_PATH];
  const wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.rfind(L'\\') + 1) + L"ostrel_no_short_names.exe";
}

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
  const std::string model = "red\r\nf\r\nf\r\nf\r\nf\r\ntop\r\n \r\n";
  for (const auto& row : rows) [&] {
    SCOPED_TRACE(testing::Message() << row.folder << " " << row.wall << " " << row.house << " " << row.shortNames);
    ProgramFolder folder(row.shortNames ? L"" : NoShortNamesExe(), row.folder);
    const wstring sources = folder.Path() + L"sources\\";
    for (const wchar_t* name : {row.wall, row.house}) WriteBytes(sources + name, "m.txt||%2||f||top");
    Ostrel ostrel(folder);
    if (!Reachable(folder.Path(), row.shortNames)) {
      const Box box = AnswerBox(ostrel);
      EXPECT_TRUE(box.error && box.text.find(L"\r\n" + folder.Path() + L"\r\n") != wstring::npos) << box.text;
      EXPECT_EQ(ostrel.WaitForExit(), 2);
      return;
    }
    const bool wall = Reachable(sources + row.wall, row.shortNames),
               house = Reachable(sources + row.house, row.shortNames);
    if (!wall || !house) {
      const Box box = AnswerBox(ostrel);
      EXPECT_EQ(box.text.find(sources + row.wall) == wstring::npos, wall) << box.text;
      EXPECT_EQ(box.text.find(sources + row.house) == wstring::npos, house) << box.text;
    }
    HWND form = ostrel.WaitForWindow(L"Ostrel");
    ASSERT_NE(form, nullptr);
    HWND list = ControlAt(form, 340, 25);
    for (DWORD start = GetTickCount(); Items(list).size() < size_t{house} && GetTickCount() - start < 5000;) Sleep(50);
    ASSERT_EQ(Items(list).size(), size_t{house});  // never an entry with "?" for a letter
    if (house) ClickItem(list, 0);
    Type(ControlAt(form, 170, 55), L"red");
    for (int button : {340, 170}) {  // house, then walls
      Click(ControlAt(form, button, 180));
      AnswerBox(ostrel);
    }
    EXPECT_EQ(ReadBytes(folder.Path() + L"result\\m.txt"), house ? model : "");
    EXPECT_EQ(ReadBytes(folder.Path() + L"result\\5_red\\m.txt"), wall ? model : "");
  }();
}

}  // namespace
