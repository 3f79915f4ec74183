// The window as it stands after start-up, read from outside: every control
// at its place with its text and state, tooltips on exactly the controls
// with a hint, and the legend squares painted again after being covered.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

#include <commctrl.h>

namespace {

using namespace e2e;
using std::wstring;

struct Expected {
  const wchar_t* windowClass;
  int left, top, width, height;  // width 0: the control sizes itself to its text
  const char* text;
  const char* hint;
  bool enabled, readOnly;
};

// The layout, in creation order.
const Expected kControls[] = {
    {L"Edit", 170, 55, 150, 20, "", "Используется для имен файлов и папок.", true, false},
    {L"Button", 170, 180, 125, 20, "Создать набор стен", nullptr, true, false},
    {L"Static", 15, 25, 148, 20, "Выберите цвет:", nullptr, true, false},
    {L"Static", 15, 55, 148, 20, "Название цвета (англ):", nullptr, true, false},
    {L"Static", 15, 85, 148, 20, "Название цвета (рус):", nullptr, true, false},
    {L"Static", 15, 115, 148, 17, "Кол-во этажей:", nullptr, true, false},
    {L"Edit", 170, 85, 150, 20, "", "Для параметра GameName в файлах моделей", true, false},
    {L"Edit", 170, 115, 50, 20, "5", nullptr, false, false},
    {L"msctls_updown32", 220, 115, 20, 20, "", nullptr, true, false},
    {L"Button", 220, 25, 20, 20, "...", "Выбрать Цвет 1", true, false},
    {L"Button", 300, 25, 20, 20, "...", "Выбрать Цвет 2", true, false},
    {L"ListBox", 340, 25, 200, 150, "", nullptr, true, false},
    {L"OstrelWindow", 545, 25, 150, 150, "", nullptr, true, false},
    {L"Button", 340, 180, 175, 20, "Создать дом из списка", nullptr, true, false},
    {L"Static", 340, 5, 0, 0, "Доступные для генерации модели домов:", nullptr, true, false},
    {L"Button", 300, 180, 20, 20, "?", "О стенах", true, false},
    {L"Button", 520, 180, 20, 20, "?", "О домах", true, false},
    {L"Static", 570, 184, 0, 0, "- Цвет 1", nullptr, true, false},
    {L"Static", 640, 184, 0, 0, "- Цвет 2", nullptr, true, false},
    {L"Static", 170, 10, 0, 0, "Цвет 1", nullptr, true, false},
    {L"Static", 250, 10, 0, 0, "Цвет 2", nullptr, true, false},
    {L"Edit", 170, 25, 45, 20, "", "Цвет 1", false, true},
    {L"Edit", 250, 25, 45, 20, "", "Цвет 2", false, true},
    {L"Button", 10, 5, 20, 20, "?", "О программе", true, false},
    {L"Button", 115, 180, 20, 20, "?", "Об обновлении", true, false},
    {L"Static", 10, 200, 0, 0, "Версия данных: 0", nullptr, true, false},
    {L"Static", 10, 159, 0, 0, "-", nullptr, true, false},
    {L"msctls_progress32", 10, 170, 100, 10, "", nullptr, true, false},
    {L"Button", 10, 180, 100, 20, "Обновить", "Обновить данные через интернет", true, false},
};

// Every tooltip of the process, hidden ones too, with the control each
// one serves and its text, read through memory in Ostrel's own process.
std::vector<std::pair<HWND, wstring>> Tooltips(const Ostrel& ostrel, int& tools) {
  std::vector<HWND> windows;
  struct Search {
    DWORD pid;
    std::vector<HWND>* found;
  } search{ostrel.Id(), &windows};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == s->pid && ClassName(w) == TOOLTIPS_CLASSW) s->found->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ostrel.Id());
  const size_t textAt = sizeof(TOOLINFOW), size = textAt + 1024 * sizeof(wchar_t);
  auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  std::vector<std::pair<HWND, wstring>> found;
  tools = 0;
  for (HWND tip : windows) {
    const int count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    tools += count;
    for (int i = 0; i < count; ++i) {
      TOOLINFOW info{};
      info.cbSize = sizeof info;
      info.lpszText = reinterpret_cast<wchar_t*>(remote + textAt);
      WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
      SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote));
      ReadProcessMemory(process, remote, &info, sizeof info, nullptr);
      info.lpszText = reinterpret_cast<wchar_t*>(remote + textAt);
      WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
      SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(remote));
      wchar_t text[1024] = {};
      ReadProcessMemory(process, remote + textAt, text, sizeof text - sizeof(wchar_t), nullptr);
      HWND control = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
      found.push_back({control, text});
    }
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return found;
}

// Whether a label shows its final ":": its last glyph is at most two
// columns wide and made of two separate dots. A face that falls back badly
// drops it.
bool ShowsFinalColon(HWND label) {
  RECT r;
  GetClientRect(label, &r);
  int width = 0, dots = 0;
  for (int x = r.right - 1; x >= 0; --x) {
    int runs = 0;
    for (int y = 0, inRun = 0; y < r.bottom; ++y) {
      const COLORREF c = PixelAt(label, x, y);
      const int ink = GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
      runs += ink && !inRun;
      inRun = ink;
    }
    if (runs && !width++) dots = runs;
    if (!runs && width) break;
  }
  return dots == 2 && width <= 2;
}

TEST(Layout, EveryControlStandsAtItsPlaceWithItsTextStateAndHint) {
  ProgramFolder folder;
  Ostrel ostrel(folder);
  HWND form = ostrel.WaitForWindow(L"Ostrel");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(Children(form).size(), std::size(kControls));
  int tools = 0;
  const auto tips = Tooltips(ostrel, tools);
  int hints = 0;
  for (const Expected& c : kControls) {
    const wstring text = W(c.text);
    HWND w = ControlAt(form, c.left, c.top);
    ASSERT_NE(w, nullptr) << text;
    EXPECT_EQ(_wcsicmp(ClassName(w).c_str(), c.windowClass), 0) << text << " " << ClassName(w);
    RECT r;
    GetWindowRect(w, &r);
    if (c.width) EXPECT_EQ(r.right - r.left, c.width) << text;
    if (c.width) EXPECT_EQ(r.bottom - r.top, c.height) << text;
    EXPECT_EQ(Text(w), text);
    const bool colon = c.windowClass == wstring(L"Static") && !text.empty() && text.back() == L':';
    bool whole = !colon;  // once the label is painted
    for (DWORD start = GetTickCount(); !whole && GetTickCount() - start < 3000; Sleep(50)) whole = ShowsFinalColon(w);
    EXPECT_TRUE(whole) << text;
    EXPECT_EQ(IsWindowEnabled(w) != FALSE, c.enabled) << text;
    EXPECT_EQ((GetWindowLongW(w, GWL_STYLE) & ES_READONLY) != 0 && ClassName(w) == L"Edit", c.readOnly) << text;
    wstring tip;
    for (const auto& [control, tipText] : tips)
      if (control == w) tip = tipText;
    EXPECT_EQ(tip, c.hint ? W(c.hint) : L"") << text;
    hints += c.hint != nullptr;
  }
  EXPECT_EQ(tools, hints);  // and none on a control without a hint
}

TEST(Layout, LegendSquaresArePaintedAgainAfterTheWindowWasCovered) {
  ProgramFolder folder;
  Ostrel ostrel(folder);
  HWND form = ostrel.WaitForWindow(L"Ostrel");
  ASSERT_NE(form, nullptr);
  RECT r;
  GetWindowRect(form, &r);
  HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"", WS_POPUP | WS_VISIBLE, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
  UpdateWindow(cover);
  Sleep(300);
  DestroyWindow(cover);
  const struct {
    int x, y;
    COLORREF colour;
  } pixels[] = {{560, 190, RGB(255, 0, 255)}, {553, 183, RGB(0, 0, 0)}, {566, 196, RGB(0, 0, 0)},
                {630, 190, RGB(0, 255, 0)},   {623, 190, RGB(0, 0, 0)}, {636, 183, RGB(0, 0, 0)}};
  for (const auto& p : pixels) {
    COLORREF seen = CLR_INVALID;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000 && seen != p.colour; Sleep(50))
      seen = PixelAt(form, p.x, p.y);
    EXPECT_EQ(seen, p.colour) << p.x << "," << p.y;
  }
}

}  // namespace
