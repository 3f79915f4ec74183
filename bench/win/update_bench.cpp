// One data update as a user runs it: from the Yes to "Запустить обновление?"
// to the success message, against the update server named by http_proxy.
// bench/update.sh serves a 10 MiB archive and times curl plus unzip beside it.
//   update_bench.exe PROXY RUNS  → prints the median in ms
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::wstring proxy = L"http_proxy=" + e2e::W(argv[1]);
  const int runs = std::max(1, atoi(argv[2]));
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    e2e::ProgramFolder folder;
    e2e::Ostrel ostrel(folder, L"", {proxy});
    HWND form = ostrel.WaitForWindow(L"Ostrel");
    if (!form) return 1;
    e2e::Click(e2e::ControlAt(form, 10, 180));
    HWND question = nullptr;
    for (; !question; Sleep(5)) question = ostrel.WaitForWindow(e2e::W("Запустить обновление?"), L"#32770", 1);
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    e2e::PressButton(question, IDYES);
    HWND done = nullptr;
    for (; !done; Sleep(5)) done = ostrel.WaitForWindow(e2e::W("Завершено"), L"#32770", 1);
    QueryPerformanceCounter(&end);
    times.push_back(double(end.QuadPart - begin.QuadPart) * 1000 / double(frequency.QuadPart));
    e2e::PressButton(done, IDOK);
    e2e::AnswerBox(ostrel, IDOK, 10000);  // the news
    PostMessageW(form, WM_CLOSE, 0, 0);
    ostrel.WaitForExit(10000);
  }
  std::sort(times.begin(), times.end());
  std::printf("%.1f\n", times[times.size() / 2]);
}
