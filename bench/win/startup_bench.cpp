// Start-up to the visible, filled window: Ostrel with N house templates in
// sources\ (a few subfolders deep) beside a minimal Win32 program that opens
// one window, both started and timed the same way in the same run. Also the
// peak working set of each once its window is up.
//   wine build/win/bench/win/startup_bench.exe [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace {

struct Sample {
  double ms;
  SIZE_T peak;
};

// Starts `exe` in `folder`, waits for its visible window named `caption`
// (and, for Ostrel, for the house list to hold `items`), notes the time and
// the peak working set, and closes it.
Sample Start(const e2e::ProgramFolder& folder, const std::wstring& caption, int items) {
  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  e2e::Ostrel process(folder);
  HWND w = nullptr;
  for (;; Sleep(1)) {
    w = process.WaitForWindow(caption, nullptr, 1);
    if (!w) continue;
    if (items < 0) break;
    HWND list = e2e::ControlAt(w, 340, 25);
    if (list && SendMessageW(list, LB_GETCOUNT, 0, 0) == items) break;
  }
  QueryPerformanceCounter(&end);
  PROCESS_MEMORY_COUNTERS memory{};
  HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.Id());
  GetProcessMemoryInfo(h, &memory, sizeof memory);
  CloseHandle(h);
  PostMessageW(w, WM_CLOSE, 0, 0);
  process.WaitForExit(10000);
  return {double(end.QuadPart - begin.QuadPart) * 1000 / double(frequency.QuadPart), memory.PeakWorkingSetSize};
}

// N templates spread over folders three levels deep, ten to a folder.
void AddTemplates(const e2e::ProgramFolder& folder, int n) {
  CreateDirectoryW((folder.Path() + L"sources").c_str(), nullptr);
  for (int i = 0; i < n; ++i) {
    std::wstring dir = folder.Path() + L"sources\\";
    for (int level = 1000; level >= 10; level /= 10) dir += L"d" + std::to_wstring(i / level % 10) + L"\\";
    e2e::WriteBytes(dir + L"house" + std::to_wstring(i) + L".wgh", "house_%2.txt||a||b||c");
  }
}

double Median(std::vector<Sample> s) {
  std::sort(s.begin(), s.end(), [](const Sample& a, const Sample& b) { return a.ms < b.ms; });
  return s[s.size() / 2].ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring beside = self;
  e2e::ProgramFolder minimal(beside.substr(0, beside.find_last_of(L'\\') + 1) + L"minimal_window.exe");
  std::vector<Sample> base;
  for (int r = 0; r < runs; ++r) base.push_back(Start(minimal, L"Minimal", -1));
  const double baseMs = Median(base);
  std::printf("start-up to the visible window, median of %d runs\n", runs);
  std::printf("%-28s %8.1f ms  1.00 x   peak working set %6zu KiB\n", "minimal Win32 window", baseMs,
              base.back().peak / 1024);
  for (int n : {0, 1000, 10000}) {
    e2e::ProgramFolder folder;
    AddTemplates(folder, n);
    std::vector<Sample> s;
    for (int r = 0; r < runs; ++r) s.push_back(Start(folder, L"Ostrel", n));
    char label[64];
    std::snprintf(label, sizeof label, "Ostrel, %d templates", n);
    std::printf("%-28s %8.1f ms  %.2f x   peak working set %6zu KiB\n", label, Median(s), Median(s) / baseMs,
                s.back().peak / 1024);
  }
}
