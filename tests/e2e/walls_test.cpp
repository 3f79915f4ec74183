// Colours and wall sets, worked as a user works them: type the names, step
// the floor count, pick colours in the chooser, click, read the box, and
// compare the files written byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/driver.h"

namespace {

using namespace e2e;
using std::string;
using std::wstring;

// A program folder with wall templates (cp1251 bytes) in sources\.
struct WallsTest : ::testing::Test {
  void SetUp() override { CreateDirectoryW(Sources().c_str(), nullptr); }  // empty is a case of its own
  wstring Sources() const { return folder.Path() + L"sources\\"; }
  void Template(const wchar_t* name, const string& bytes) { WriteBytes(Sources() + name, bytes); }
  string Output(const wstring& relative) const { return ReadBytes(folder.Path() + L"result\\" + relative); }

  // Starts Ostrel and finds the controls by their places in the window.
  void Start() {
    ostrel = std::make_unique<Ostrel>(folder);
    form = ostrel->WaitForWindow(L"Ostrel");
    ASSERT_NE(form, nullptr);
    english = ControlAt(form, 170, 55);
    russian = ControlAt(form, 170, 85);
    floors = ControlAt(form, 170, 115);
    spinner = ControlAt(form, 220, 115);
    swatch1 = ControlAt(form, 170, 25);
    ASSERT_TRUE(english && russian && floors && spinner && swatch1);
  }
  HWND At(int left, int top) const { return ControlAt(form, left, top); }
  Box MakeWalls() {
    Click(At(170, 180));
    return AnswerBox(*ostrel);
  }
  void ChooseColour1(const int* rgb, bool confirm, Chooser* seen = nullptr) {
    Click(At(220, 25));
    Chooser c = AnswerChooser(*ostrel, rgb, confirm);
    if (seen) *seen = c;
  }
  wstring Done(const wstring& folderName) const {
    return W("Готово! Результат сохранен в ") + folder.Path() + L"result\\" + folderName;
  }

  ProgramFolder folder;
  std::unique_ptr<Ostrel> ostrel;
  HWND form = nullptr, english = nullptr, russian = nullptr, floors = nullptr, spinner = nullptr,
       swatch1 = nullptr;
};

TEST_F(WallsTest, EveryTemplateBecomesAModelAtOneFiveAndOneHundredOneFloors) {
  Template(L"single.wgw", "w_%2.wgw||A%1||B||C");
  Template(L"fields.wgw", "%1_%3.txt||%2 %3\r\nc1=%4;c2=%5;%%1||f%1 %4||top");
  Template(L"nodelimiter.wgw", "nothing to cut");
  Template(L"nolast.wgw", "nolast.txt||a||b||||rest");
  Template(L"same1.wgw", "same.txt||one||||first");
  Template(L"same2.wgw", "same.txt||two||||second");
  Start();
  const int red[] = {255, 0, 0};
  Chooser opened;
  ChooseColour1(red, true, &opened);
  EXPECT_EQ(opened.shown[0] + opened.shown[1] + opened.shown[2], 0);  // opens at black
  EXPECT_EQ(PixelAtMiddle(swatch1), RGB(255, 0, 0));
  Type(english, L"dark red");
  Type(russian, W("тёмно-красный"));

  const struct {
    int steps;  // from the count before
    const char* floors;
  } runs[] = {{0, "5"}, {-4, "1"}, {100, "101"}};
  for (const auto& run : runs) {
    Step(spinner, run.steps > 0, abs(run.steps));
    const string n = run.floors;
    EXPECT_EQ(Text(floors), W(run.floors));
    const wstring wall = W(run.floors) + L"_dark_red\\";
    const Box box = MakeWalls();
    EXPECT_EQ(box.text, Done(wall)) << n;
    EXPECT_EQ(box.caption, box.text);
    EXPECT_FALSE(box.error || box.warning || box.information);

    string floorsB, floorsF;
    for (int i = 1; i < std::stoi(n); ++i) floorsB += "B\r\n", floorsF += "f" + n + " 255 0 0\r\n";
    EXPECT_EQ(Output(wall + L"w_dark red.wgw"), "A" + n + "\r\n" + floorsB + "C\r\n \r\n") << n;
    EXPECT_EQ(Output(wall + W(n.c_str()) + W("_тёмно-красный.txt")),
              "dark red тёмно-красный\r\nc1=255 0 0;c2=;%1\r\n" + floorsF + "top\r\n \r\n")
        << n;
    EXPECT_EQ(ReadBytes(folder.Path() + L"result\\" + wall + L"nolast.txt"), "");
    // The same name twice: whichever template came last replaced the file.
    string empties;
    for (int i = 1; i < std::stoi(n); ++i) empties += "\r\n";
    const string same = Output(wall + L"same.txt");
    EXPECT_TRUE(same == "one\r\n" + empties + "first\r\n \r\n" || same == "two\r\n" + empties + "second\r\n \r\n")
        << same;
  }
}

TEST_F(WallsTest, ColourChoiceCancelKeepsTheLastBlackIsZeroZeroZero) {
  Template(L"c.wgw", "c.txt||[%4][%5]||||x");  // an empty floor block
  Start();
  const int red[] = {255, 0, 0}, black[] = {0, 0, 0};
  ChooseColour1(red, true);
  Chooser reopened;
  ChooseColour1(red + 1, false, &reopened);  // cancelled: nothing changes
  EXPECT_EQ(reopened.shown[0], 0);
  EXPECT_EQ(PixelAtMiddle(swatch1), RGB(255, 0, 0));
  MakeWalls();
  EXPECT_EQ(Output(L"5_\\c.txt"), "[255 0 0][]\r\n\r\n\r\n\r\n\r\nx\r\n \r\n");
  ChooseColour1(black, true);
  EXPECT_EQ(PixelAtMiddle(swatch1), RGB(0, 0, 0));
  MakeWalls();
  EXPECT_EQ(Output(L"5_\\c.txt"), "[0 0 0][]\r\n\r\n\r\n\r\n\r\nx\r\n \r\n");
}

// Instead of a success message over nothing: the failures are counted and
// reported, and an empty template folder is named.
TEST_F(WallsTest, FailedSavesAndEmptySourcesAreReportedNotCelebrated) {
  Start();
  Box box = MakeWalls();
  EXPECT_TRUE(box.warning);
  EXPECT_EQ(box.caption, L"Ostrel");
  EXPECT_EQ(box.text, W("Ни одного файла не создано.\r\nПроверьте шаблоны в папке ") + Sources());

  Template(L"out.wgw", "..\\..\\escaped.txt||a||b||c");
  Template(L"in.wgw", "..\\kept.txt||a||b||c");
  Type(english, L"x");
  box = MakeWalls();
  EXPECT_TRUE(box.error);
  EXPECT_EQ(box.caption, W("Ошибка"));
  EXPECT_EQ(box.text, W("Не удалось сохранить файлов: 1\r\nПапка: ") + folder.Path() + L"result\\5_x\\");
  EXPECT_EQ(ReadBytes(folder.Path() + L"escaped.txt"), "");
  EXPECT_EQ(Output(L"kept.txt"), "a\r\nb\r\nb\r\nb\r\nb\r\nc\r\n \r\n");

  Template(L"plain.wgw", "p.txt||a||b||c");
  Type(english, L"a*b");  // a folder name the system refuses: only kept.txt lands
  box = MakeWalls();
  EXPECT_EQ(box.text, W("Не удалось сохранить файлов: 2\r\nПапка: ") + folder.Path() + L"result\\5_a*b\\");
}

// The names in the program folder but result\, and in the two folders above.
std::vector<wstring> Surroundings(const wstring& program) {
  std::vector<wstring> names;
  wstring folder = program;
  for (int level = 0; level < 3; ++level) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry))
      if (folder + entry.cFileName != program + L"result") names.push_back(folder + entry.cFileName);
    FindClose(find);
    folder = folder.substr(0, folder.find_last_of(L'\\', folder.size() - 2) + 1);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A template held open by another program is a failure, never the last
// template's text again; a name that climbs out of result\ makes no folder
// anywhere and every file meant for it fails.
TEST_F(WallsTest, UnreadableTemplatesAndEscapingNamesFailWithoutTraces) {
  for (const char* t : {"a", "b", "c"}) Template((W(t) + L".wgw").c_str(), string(t) + ".txt||" + t + "||||" + t);
  Start();
  const auto model = [](const char* t) { return string(t) + "\r\n\r\n\r\n\r\n\r\n" + t + "\r\n \r\n"; };
  const struct {
    const wchar_t *english, *held;
    int failed;
  } runs[] = {{L"x", L"b.wgw", 1}, {L"\\..\\..\\..\\x", nullptr, 3}, {L"..\\..\\..\\x", nullptr, 3},
              {L"C:\\x", nullptr, 3}, {L"..", nullptr, 3}};  // "5_.." is made as "5_": no file finds it
  for (const auto& run : runs) {
    const auto before = Surroundings(folder.Path());
    Type(english, run.english);
    const HeldFile held = Hold(run.held ? Sources() + run.held : L"");
    EXPECT_EQ(MakeWalls().text, W("Не удалось сохранить файлов: ") + std::to_wstring(run.failed) +
                                    W("\r\nПапка: ") + folder.Path() + L"result\\5_" + run.english + L"\\");
    EXPECT_EQ(Surroundings(folder.Path()), before) << run.english;
  }
  EXPECT_EQ(Output(L"5_x\\a.txt"), model("a"));
  EXPECT_EQ(Output(L"5_x\\b.txt"), "");
  EXPECT_EQ(Output(L"5_x\\c.txt"), model("c"));
}

// The texts of the "?" buttons, checked against the help as it was written.
TEST_F(WallsTest, HelpButtonsShowTheirTexts) {
  Start();
  const struct {
    int left, top;
    const char* caption;
    string text;
  } helps[] = {
      {300, 180, "Справка по стенам",
       "Необходимо заполнить поля:\r\n - выбрать первый цвет\r\n - название цвета (англ.) - "
       "[a-z][A-Z][0-9][_]\r\n - название цвета (рус.) - [а-я][А-Я][a-z][A-Z][0-9][_]  \r\n - "
       "кол-во этажей - 1,2,3,...,100\r\n\r\nДля генерации стен используется только один цвет.\r\n"
       "Второй задавать смысла нет.  "},
      {520, 180, "Справка по домам",
       "Чтобы создать какой-либо дом, необходимо его сначала выделить в списке.\r\n\r\nДля домов "
       "может использоваться до двух цветов:\r\n - первый цвет на изображении показан ярким "
       "розовым;\r\n - второй - кислотным зеленым.\r\n \r\nОстальные правила аналогичны правилам "
       "создания стен."},
      {10, 5, "О программе",
       "Программа написана, или вернее сказать сконструирована, в Kesto.\r\n\r\nПеред тем как "
       "нажимать на кнопку, прочитайте рядом с ней \"вопросик\".\r\nАвтор не несет никакой "
       "ответственности за неверное использование данной программы.\r\n\r\nСкачано с \r\n" OSTREL_HOME_PAGE
       "\r\n\r\nВерсия программы: 1.0.4"},
      {115, 180, "Об обновлениях",
       " - запрос на обновление происходит только по нажатию на кнопку.\r\n - автоматического "
       "обновления не происходит.\r\n\r\nВопрос: А что обновляется-то?\r\nОтвет: Обновляются данные, "
       "но не версия программы.\r\nТ.е. могут появиться новые дома, стены, исправляются ошибки в уже "
       "существующих."},
  };
  for (const auto& help : helps) {
    Click(At(help.left, help.top));
    const Box box = AnswerBox(*ostrel);
    EXPECT_EQ(box.caption, W(help.caption));
    EXPECT_EQ(box.text, W(help.text.c_str())) << help.caption;
    EXPECT_FALSE(box.error || box.warning || box.information);
  }
}

}  // namespace
