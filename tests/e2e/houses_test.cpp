// The house list, its preview and house generation, worked as a user works
// them: read the list, click entries, read the preview's pixels, click the
// button, answer the box, compare the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/e2e/driver.h"
#include "tests/image/bmp.h"

namespace {

using namespace e2e;
using std::string;
using std::wstring;

constexpr COLORREF kPink = RGB(255, 0, 255), kGreen = RGB(0, 255, 0);

struct HousesTest : ::testing::Test {
  wstring Sources() const { return folder.Path() + L"sources\\"; }
  void File(const wstring& relative, const string& bytes) { WriteBytes(Sources() + relative, bytes); }
  void Start() {
    ostrel = std::make_unique<Ostrel>(folder);
    form = ostrel->WaitForWindow(L"Ostrel");
    ASSERT_NE(form, nullptr);
    list = ControlAt(form, 340, 25);
    preview = ControlAt(form, 545, 25);
    ASSERT_TRUE(list && preview);
    for (DWORD start = GetTickCount(); !SendMessageW(list, LB_GETCOUNT, 0, 0) && GetTickCount() - start < 5000;)
      Sleep(50);
  }
  int IndexOf(const wstring& relative) {
    const auto items = Items(list);
    return int(std::find(items.begin(), items.end(), Sources() + relative) - items.begin());
  }
  // Selects the entry and waits until the preview shows `colour` at (x, y).
  bool Shows(const wstring& relative, int x, int y, COLORREF colour) {
    ClickItem(list, IndexOf(relative));
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(50))
      if (PixelAt(preview, x, y) == colour) return true;
    return false;
  }
  Box MakeHouse() {
    Click(ControlAt(form, 340, 180));
    return AnswerBox(*ostrel);
  }

  ProgramFolder folder;
  std::unique_ptr<Ostrel> ostrel;
  HWND form = nullptr, list = nullptr, preview = nullptr;
};

TEST_F(HousesTest, ListHoldsEveryTemplateAndThePreviewNeverShowsAnotherHouse) {
  const string halves = Bmp(100, 80, [](int x, int) { return x < 50 ? kPink : kGreen; });
  File(L"a.wgh", "a");
  File(L"a.bmp", halves);
  File(L"old\\b.wgh", "b");
  File(L"old\\b.bmp", Bmp(200, 200, [](int, int) { return kGreen; }));
  File(L"missing.wgh", "m");
  File(L"broken.wgh", "b");
  File(L"broken.bmp", "BM not a picture");
  File(L"x.wgh\\c.wgh", "c");  // its picture is looked for in x.bmp\c.bmp
  File(L"x.wgh\\c.bmp", halves);
  File(L"House.WGH", "h");  // the replacement is case-sensitive: no picture
  File(L"House.bmp", halves);
  File(L"notes.txt", "not a template");
  Start();

  auto items = Items(list);
  std::sort(items.begin(), items.end());
  std::vector<wstring> expected;
  for (const wchar_t* name : {L"a.wgh", L"old\\b.wgh", L"missing.wgh", L"broken.wgh", L"x.wgh\\c.wgh", L"House.WGH"})
    expected.push_back(Sources() + name);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(items, expected);

  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // 100 x 80 centred in 150 x 150: at (25, 35); the margins keep the face colour.
  EXPECT_TRUE(Shows(L"a.wgh", 30, 75, kPink));
  EXPECT_EQ(PixelAt(preview, 120, 75), kGreen);
  EXPECT_EQ(PixelAt(preview, 75, 20), face);
  EXPECT_EQ(PixelAt(preview, 10, 75), face);
  for (const wchar_t* unshowable : {L"missing.wgh", L"broken.wgh", L"x.wgh\\c.wgh", L"House.WGH"}) {
    EXPECT_TRUE(Shows(L"a.wgh", 30, 75, kPink));
    EXPECT_TRUE(Shows(unshowable, 30, 75, face)) << unshowable;
  }
  // Quick clicks: the last choice wins, whatever the decoder finishes first.
  ClickItem(list, IndexOf(L"old\\b.wgh"));
  ClickItem(list, IndexOf(L"missing.wgh"));
  EXPECT_TRUE(Shows(L"a.wgh", 30, 75, kPink));
  Sleep(500);
  EXPECT_EQ(PixelAt(preview, 120, 75), kGreen);
  EXPECT_EQ(PixelAt(preview, 10, 75), face);
}

TEST_F(HousesTest, TheSelectedTemplateBecomesOneFileInResult) {
  File(L"h.wgh", "house_%2.txt||%3 %4||f%1||top");
  File(L"evil.wgh", "..\\evil.txt||a||b||c");
  Start();
  Box box = MakeHouse();  // nothing selected yet
  EXPECT_TRUE(box.warning);
  EXPECT_EQ(box.caption, L"Ostrel");
  EXPECT_EQ(box.text, W("Сначала выделите дом в списке."));

  ClickItem(list, IndexOf(L"h.wgh"));
  Type(ControlAt(form, 170, 55), L"red");
  Type(ControlAt(form, 170, 85), W("красный"));
  HWND spinner = ControlAt(form, 220, 115);
  for (int floors : {2, 3}) {  // result\ is made on the first click, the file replaced on the second
    Step(spinner, false, floors == 2 ? 3 : 0);
    Step(spinner, true, floors == 3 ? 1 : 0);
    box = MakeHouse();
    EXPECT_EQ(box.text, W("Готово! Результат сохранен в ") + folder.Path() + L"result\\");
    EXPECT_EQ(box.caption, box.text);
    string floorLines;
    for (int i = 1; i < floors; ++i) floorLines += "f" + std::to_string(floors) + "\r\n";
    EXPECT_EQ(ReadBytes(folder.Path() + L"result\\house_red.txt"), "красный \r\n" + floorLines + "top\r\n \r\n");
  }

  ClickItem(list, IndexOf(L"evil.wgh"));
  box = MakeHouse();
  EXPECT_TRUE(box.error);
  EXPECT_EQ(ReadBytes(folder.Path() + L"evil.txt"), "");
}

// Colour 2 chosen and cancelled in its chooser, then templates held open by
// another program: a failure in the box, never the text read before written
// again (the house model in the wall folder).
TEST_F(HousesTest, ColourTwoReachesTheModelAndHeldTemplatesAreFailures) {
  File(L"h.wgh", "h.txt||%4/%5||||x");
  File(L"w.wgw", "w.txt||w||||w");
  Start();
  ClickItem(list, IndexOf(L"h.wgh"));
  const int teal[] = {0, 128, 128}, red[] = {255, 0, 0};
  const struct {
    const int* colour2;  // typed into the chooser first
    bool confirm;
    const wchar_t* held;
    int button;  // the house button at 340, the walls at 170
    const char* box;
  } steps[] = {{teal, true, nullptr, 340, "Готово!"},
               {red, false, nullptr, 340, "Готово!"},
               {nullptr, false, L"h.wgh", 340, "Не удалось сохранить файлов: 1"},
               {nullptr, false, L"w.wgw", 170, "Не удалось сохранить файлов: 1"}};
  for (const auto& step : steps) {
    if (step.colour2) Click(ControlAt(form, 300, 25)), AnswerChooser(*ostrel, step.colour2, step.confirm);
    EXPECT_EQ(PixelAtMiddle(ControlAt(form, 250, 25)), RGB(0, 128, 128));
    const HeldFile held = Hold(step.held ? Sources() + step.held : L"");
    Click(ControlAt(form, step.button, 180));
    const wstring box = AnswerBox(*ostrel).text;
    EXPECT_EQ(box.substr(0, W(step.box).size()), W(step.box));
    EXPECT_EQ(ReadBytes(folder.Path() + L"result\\h.txt"), "/0 128 128\r\n\r\n\r\n\r\n\r\nx\r\n \r\n");
    EXPECT_EQ(ReadBytes(folder.Path() + L"result\\5_\\h.txt"), "");
  }
}

}  // namespace
