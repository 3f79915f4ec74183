// Start-up to the visible, filled window: Ostrel beside the same window
// written straight in Win32 (straight_window.cpp) and beside a minimal Win32
// window, with 0, 1 000 and 10 000 house templates in sources\ (ten to a
// folder, three levels deep). The programs start in turn, round after
// round, from one program folder per template count, so that a busy
// machine slows them alike; each figure is the median of the rounds, with
// the median peak working set once the window is up. Before timing, the
// straight program's window is checked against Ostrel's: the same controls
// in the same order, classes, styles, places, texts, tooltips and items.
//   wine startup_bench.exe [rounds] [label=program.exe ...]
// Each label=program.exe is one more Ostrel to time, e.g. an earlier build.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

struct Program {
  std::string label;
  std::wstring source;  // the program file copied into each program folder
  bool list;            // shows the house list; else any window will do
  std::vector<double> ms;
  std::vector<double> peak;  // KiB
};

struct Started {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
};

HWND VisibleWindowOf(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{pid, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        RECT r;
        // The taskbar carrier has no height.
        if (owner != s->pid || !IsWindowVisible(w) || !GetWindowRect(w, &r) || r.bottom - r.top <= 1) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts the program and waits, polling every millisecond, for its window
// (and list) to stand.
Started Start(const std::wstring& exe, const std::wstring& folder, int items, double& ms) {
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  Started s;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring command = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                      &s.process))
    return s;
  for (DWORD limit = GetTickCount() + 60000; GetTickCount() < limit; Sleep(1)) {
    HWND w = VisibleWindowOf(s.process.dwProcessId);
    if (!w) continue;
    HWND list = items < 0 ? nullptr : e2e::ControlAt(w, 340, 25);
    if (items >= 0 && !(list && SendMessageW(list, LB_GETCOUNT, 0, 0) == items)) continue;
    s.window = w;
    break;
  }
  QueryPerformanceCounter(&end);
  ms = double(end.QuadPart - begin.QuadPart) * 1000 / double(frequency.QuadPart);
  return s;
}

void Stop(Started& s) {
  if (s.window) PostMessageW(s.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(s.process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(s.process.hProcess, 1);
  WaitForSingleObject(s.process.hProcess, 5000);
  CloseHandle(s.process.hThread);
  CloseHandle(s.process.hProcess);
}

double PeakKiB(const Started& s) {
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(s.process.hProcess, &memory, sizeof memory);
  return double(memory.PeakWorkingSetSize) / 1024;
}

// The client area's pixels as the screen shows them, once it has painted.
std::vector<DWORD> Pixels(HWND window) {
  Sleep(1000);
  RECT r;
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(dc, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> pixels(static_cast<size_t>(w) * h);
  GetDIBits(dc, bitmap, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// What a user can see of a window, one line per part: the form, each child
// in order, the tooltip windows of the process, the list items, and how
// many pixels differ from `pixels`, if given.
std::vector<std::wstring> Describe(const Started& s, std::vector<DWORD>& pixels) {
  std::vector<std::wstring> lines;
  auto line = [&](HWND w) {
    RECT r = e2e::WindowRect(w);
    MapWindowPoints(nullptr, s.window, reinterpret_cast<POINT*>(&r), 2);
    wchar_t text[160];
    swprintf(text, 160, L" %08lx %08lx %ld %ld %ld %ld ", GetWindowLongW(w, GWL_STYLE),
             GetWindowLongW(w, GWL_EXSTYLE), r.left, r.top, r.right, r.bottom);
    return (w == s.window ? L"form" : e2e::ClassName(w)) + text + e2e::Text(w);
  };
  lines.push_back(line(s.window));
  for (HWND w : e2e::Children(s.window)) lines.push_back(line(w));
  int tips = 0;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s.process.dwProcessId && e2e::ClassName(w) == L"tooltips_class32") ++tips;
  }
  lines.push_back(L"tooltips " + std::to_wstring(tips));
  for (const std::wstring& item : e2e::Items(e2e::ControlAt(s.window, 340, 25))) lines.push_back(item);
  std::vector<DWORD> seen = Pixels(s.window);
  if (pixels.empty()) pixels = seen;
  size_t differ = seen.size() == pixels.size() ? 0 : seen.size();
  for (size_t i = 0; i < seen.size() && i < pixels.size(); ++i) differ += seen[i] != pixels[i];
  lines.push_back(L"pixels differing " + std::to_wstring(differ));
  return lines;
}

// The first line where the two windows differ, or an empty text.
std::wstring Difference(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b) {
  for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    std::wstring x = i < a.size() ? a[i] : L"(none)", y = i < b.size() ? b[i] : L"(none)";
    if (x != y) return x + L"\n   against " + y;
  }
  return L"";
}

// N templates spread over folders three levels deep, ten to a folder.
void AddTemplates(const std::wstring& folder, int n) {
  CreateDirectoryW((folder + L"sources").c_str(), nullptr);
  for (int i = 0; i < n; ++i) {
    std::wstring dir = folder + L"sources\\";
    for (int level = 1000; level >= 10; level /= 10) dir += L"d" + std::to_wstring(i / level % 10) + L"\\";
    e2e::WriteBytes(dir + L"house" + std::to_wstring(i) + L".wgh", "house_%2.txt||a||b||c");
  }
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

std::wstring Beside(const wchar_t* name) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// A Unix path (as Wine gives the build's) or a Windows one.
std::wstring WindowsPath(const char* path) {
  std::wstring w = e2e::W(path);
  if (!w.empty() && w[0] == L'/') w = L"Z:" + w;
  std::replace(w.begin(), w.end(), L'/', L'\\');
  return w;
}

std::wstring Name(size_t i) { return L"program" + std::to_wstring(i) + L".exe"; }

void Measure(std::vector<Program>& programs, int n, int rounds) {
  e2e::ProgramFolder folder;  // brings BSZIP.dll
  AddTemplates(folder.Path(), n);
  for (size_t i = 0; i < programs.size(); ++i)
    CopyFileW(programs[i].source.c_str(), (folder.Path() + Name(i)).c_str(), FALSE);
  // programs[1] is the straight program; every Ostrel must show its window.
  double ms = 0;
  Started straight = Start(folder.Path() + Name(1), folder.Path(), n, ms);
  std::vector<DWORD> pixels;
  const std::vector<std::wstring> expected = Describe(straight, pixels);
  Stop(straight);
  for (size_t i = 2; i < programs.size(); ++i) {
    Started ostrel = Start(folder.Path() + Name(i), folder.Path(), n, ms);
    const std::wstring difference = Difference(Describe(ostrel, pixels), expected);
    Stop(ostrel);
    if (!difference.empty())
      std::printf("%s differs from the straight program: %ls\n", programs[i].label.c_str(), difference.c_str());
  }
  for (Program& p : programs) p.ms.clear(), p.peak.clear();
  for (int r = 0; r < rounds; ++r) {
    for (size_t k = 0; k < programs.size(); ++k) {
      Program& p = programs[(k + r) % programs.size()];  // each round starts with another program
      Started s = Start(folder.Path() + Name(&p - programs.data()), folder.Path(), p.list ? n : -1, ms);
      p.ms.push_back(ms);
      p.peak.push_back(PeakKiB(s));
      Stop(s);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
  std::vector<Program> programs = {{"minimal Win32 window", Beside(L"minimal_window.exe"), false, {}, {}},
                                   {"straight Win32", Beside(L"straight_window.exe"), true, {}, {}},
                                   {"Ostrel", WindowsPath(OSTREL_EXE), true, {}, {}}};
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    const size_t eq = arg.find('=');
    if (eq != std::string::npos) programs.push_back({arg.substr(0, eq), WindowsPath(argv[i] + eq + 1), true, {}, {}});
  }
  std::printf("start-up to the visible, filled window: medians of %d starts, the programs in turn\n", rounds);
  std::printf("%-9s %-24s %9s %10s %11s %15s %14s\n", "templates", "program", "ms", "x minimal", "x straight",
              "peak KiB", "- straight");
  for (int n : {0, 1000, 10000}) {
    Measure(programs, n, rounds);
    const double minimal = Median(programs[0].ms), straight = Median(programs[1].ms);
    const double straightPeak = Median(programs[1].peak);
    for (const Program& p : programs) {
      std::printf("%-9d %-24s %9.1f %10.2f %11.2f %15.0f %+14.0f\n", n, p.label.c_str(), Median(p.ms),
                  Median(p.ms) / minimal, Median(p.ms) / straight, Median(p.peak), Median(p.peak) - straightPeak);
    }
    std::fflush(stdout);
  }
}
