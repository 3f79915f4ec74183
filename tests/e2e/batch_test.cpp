// The window against ostrel-batch.exe: the same inputs typed, stepped and
// chosen in the window, and given to the batch tool in a job file, on two
// copies of one program folder; the result trees must match byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/e2e/driver.h"
#include "tests/image/bmp.h"

namespace {

using namespace e2e;
using std::string;
using std::wstring;

wstring BatchExe() {
  wstring path = W(OSTREL_BATCH_EXE);  // an ASCII path
  if (!path.empty() && path[0] == L'/') {
    for (auto& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}

// Runs the tool; collects what it prints when `output` is given, until the
// last handle to its end of the pipe is gone.
int RunBatch(const wstring& arguments, string* output = nullptr) {
  wstring command = L"\"" + BatchExe() + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (output && CreatePipe(&read, &write, &inherited, 0)) {
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = write;
  }
  PROCESS_INFORMATION info{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, write != nullptr, CREATE_NO_WINDOW,
                                      nullptr, nullptr, &si, &info);
  if (write) CloseHandle(write);
  char chunk[4096];
  DWORD got = 0;
  while (read && started && ReadFile(read, chunk, sizeof chunk, &got, nullptr) && got > 0) output->append(chunk, got);
  if (read) CloseHandle(read);
  if (!started) return -1;
  DWORD code = 1000;
  if (WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}

void Prepare(const ProgramFolder& folder) {
  for (const wchar_t* sub : {L"sources", L"sources\\old", L"result", L"result\\sub"})
    CreateDirectoryW((folder.Path() + sub).c_str(), nullptr);
  WriteBytes(folder.Path() + L"sources\\single.wgw", "w_%2.wgw||A%1||B||C");
  WriteBytes(folder.Path() + L"sources\\fields.wgw", "%1_%3.txt||%2 %3\r\nc1=%4;c2=%5;%%1||f%1 %4||top");
  WriteBytes(folder.Path() + L"sources\\nodelimiter.wgw", "nothing to cut");
  WriteBytes(folder.Path() + L"sources\\old\\house.wgh", "sub\\h_%2_%1.txt||%3 %4 [%5]||fl||roof");
}

std::map<wstring, string> Tree(const wstring& root) {
  std::map<wstring, string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(root))
    if (e.is_regular_file()) files[std::filesystem::relative(e.path(), root).wstring()] = ReadBytes(e.path().wstring());
  return files;
}

// UTF-8 for the job file, from the test's cp1251 literals.
string Utf8(const wstring& w) {
  string s(size_t(WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), int(s.size()), nullptr, nullptr);
  return s;
}

TEST(WindowAgainstBatch, SameInputsSameTree) {
  const struct {
    int floors;
    const char *en, *ru;
    int rgb[3];
  } inputs[] = {
      {5, "dark red", "тёмно-красный", {128, 0, 0}},
      {1, "red", "красный", {255, 0, 0}},
      {101, "blue", "синий", {0, 0, 255}},
  };
  ProgramFolder window, batch;
  Prepare(window);
  Prepare(batch);

  Ostrel ostrel(window);
  HWND form = ostrel.WaitForWindow(L"Ostrel");
  ASSERT_NE(form, nullptr);
  HWND list = ControlAt(form, 340, 25);
  for (DWORD start = GetTickCount(); Items(list).empty() && GetTickCount() - start < 5000;) Sleep(50);
  ASSERT_EQ(Items(list).size(), 1u);
  ClickItem(list, 0);
  int floors = 5;
  string jobs = "floors,en,ru,colour1,colour2\r\n";
  for (const auto& in : inputs) {
    Type(ControlAt(form, 170, 55), W(in.en));
    Type(ControlAt(form, 170, 85), W(in.ru));
    Step(ControlAt(form, 220, 115), in.floors > floors, abs(in.floors - floors));
    floors = in.floors;
    Click(ControlAt(form, 220, 25));
    AnswerChooser(ostrel, in.rgb, true);
    Click(ControlAt(form, 170, 180));
    EXPECT_FALSE(AnswerBox(ostrel).error) << in.en;
    Click(ControlAt(form, 340, 180));
    EXPECT_FALSE(AnswerBox(ostrel).error) << in.en;
    jobs += std::to_string(in.floors) + "," + Utf8(W(in.en)) + "," + Utf8(W(in.ru)) + "," +
            std::to_string(in.rgb[0]) + " " + std::to_string(in.rgb[1]) + " " + std::to_string(in.rgb[2]) + ",\r\n";
  }
  WriteBytes(batch.Path() + L"jobs.csv", jobs);
  const wstring common = L"--folder \"" + batch.Path() + L".\" --jobs \"" + batch.Path() + L"jobs.csv\"";
  EXPECT_EQ(RunBatch(common), 0);
  EXPECT_EQ(RunBatch(L"--houses " + common), 0);

  const auto made = Tree(window.Path() + L"result");
  EXPECT_EQ(made.size(), 9u);
  EXPECT_EQ(made, Tree(batch.Path() + L"result"));
}

// Under Windows the window's own decoder judges the previews: a picture cut
// short, or no picture at all, does not decode; a whole one does.
TEST(BatchCheck, PreviewsAsTheWindowDecodesThem) {
  ProgramFolder folder;
  const string picture = Bmp(8, 8, [](int, int) { return RGB(255, 0, 255); });
  const std::pair<const wchar_t*, string> files[] = {
      {L"wall.wgw", "w_%2.wgm||b||f||t"}, {L"good.wgh", "h||b||f||t"}, {L"good.bmp", picture},
      {L"cut.wgh", "h||b||f||t"},         {L"cut.bmp", picture.substr(0, 100)},
      {L"junk.wgh", "h||b||f||t"},        {L"junk.bmp", "not a picture"}};
  for (const auto& [name, bytes] : files) WriteBytes(folder.Path() + L"sources\\" + name, bytes);
  const wstring dir = folder.Path().substr(0, folder.Path().size() - 1);
  string output;
  EXPECT_EQ(RunBatch(L"--check --folder \"" + dir + L"\"", &output), 1);
  const string at = Utf8(folder.Path()) + "sources\\";
  EXPECT_EQ(output,
            at + "cut.wgh:1:1: bad-preview: the preview \"cut.bmp\" does not decode as a picture: save it again as a BMP\n" +
            at + "junk.wgh:1:1: bad-preview: the preview \"junk.bmp\" does not decode as a picture: save it again as a BMP\n" +
            "2 problems in 2 files; 4 templates checked (1 wall, 3 houses)\n");
}

}  // namespace
