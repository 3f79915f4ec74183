// One URL fetched four ways under the same conditions; prints the median
// milliseconds of each. bench/http.sh runs it beside curl.
//   wininet_64k   plain client reads of 64 KiB (what the client itself costs)
//   wininet_1025  plain client reads of 1025 bytes (the component's chunk)
//   blocking      the component on the calling thread: chunks, zeroing, stream, Progress
//   worker        the component on a worker, Progress linked: each chunk handed to the window thread
//   worker_quiet  the component as the program uses it: Progress unlinked, so only the end is handed over
// With --endless version|news|archive URL WARMUP_URL it instead lets that
// download of the main schema, with the cap the schema gives it, run into an
// endless body at URL, and prints the process's working set at rest and its
// peak while the body was cut off; "uncapped" is the version's download as
// it was before it had a cap, stopped at 64 MiB for the figure.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "components/net/http_get.h"
#include "components/win/hint_manager.h"
#include "runtime/dispatch.h"
#include "schema/main_schema.h"
#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/internet_win.h"
#include "toolkit/stream.h"

namespace {

double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Returns the byte count so that a broken run shows.
int64_t Plain(const std::string& url, uint32_t chunk) {
  toolkit::TInternetHandle client, request;
  client.Reset(toolkit::OpenInternet("bench", ""));
  request.Reset(toolkit::OpenUrl(client.Get(), url, "", INTERNET_FLAG_RELOAD));
  std::string body;
  std::vector<char> buffer(chunk);
  uint32_t n = 0;
  while (toolkit::ReadInternet(request.Get(), buffer.data(), chunk, n) && n > 0) body.append(buffer.data(), n);
  return static_cast<int64_t>(body.size());
}

struct Counter {
  int64_t bytes = 0;
  bool ended = false;
  const char* outcome = "completed";
  void Progress(TData& d, uint16_t) { bytes = d.IntValue; }
  void Completed(TData& d, uint16_t) {
    if (d.Type() == dtStream) bytes = int64_t(static_cast<TStream*>(d.Pointer)->Size());
  }
  void Failed(TData&, uint16_t) { outcome = "failed"; }
  void SaveFailed(TData&, uint16_t) { outcome = "save_failed"; }
  void Ended(TData&, uint16_t) { ended = true; }
};

void WaitForEnd(const Counter& counter) {
  while (!counter.ended) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

int64_t Component(const std::string& url, bool blocking, bool progress = true) {
  TKestoHTTP_Get http;
  Counter counter;
  http.Url = url;
  http.Blocking = blocking;
  if (progress)
    http.Progress = Link<&Counter::Progress>(&counter);
  else
    http.Completed = Link<&Counter::Completed>(&counter);
  http.Ended = Link<&Counter::Ended>(&counter);
  TData none;
  http.Download(none, 0);
  WaitForEnd(counter);
  return counter.bytes;
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS m = {};
  GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m);
  return m;
}

// Prints: name cap_bytes rest_kib peak_kib ms outcome file_left
int Endless(const std::string& which, const std::string& url, const std::string& warmup) {
  CoInitialize(nullptr);
  CreateHintManager();
  TClassSimpleForm_4E37510 schema(nullptr);
  SwitchDispatchOn();
  TKestoHTTP_Get* http = which == "news"      ? schema.NewsDownload.get()
                         : which == "archive" ? schema.ArchiveDownload.get()
                                              : schema.VersionDownload.get();
  if (which == "uncapped") http->MaxSize = 64 << 20;
  // The internet client's own start-up is no part of the body's cost.
  Component(warmup, false, false);
  const SIZE_T rest = Memory().WorkingSetSize;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"ostrel-endless-" + std::to_wstring(GetCurrentProcessId());
  Counter counter;
  http->Url = url;
  http->FileNameSource = TKesto_Event();
  if (which == "archive") http->FileName = toolkit::Narrow(file);
  http->Completed = Link<&Counter::Completed>(&counter);
  http->Failed = Link<&Counter::Failed>(&counter);
  http->SaveFailed = Link<&Counter::SaveFailed>(&counter);
  http->Ended = Link<&Counter::Ended>(&counter);
  const double start = Now();
  TData none;
  http->Download(none, 0);
  WaitForEnd(counter);
  const bool left = GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
  std::printf("%s %lu %zu %zu %.0f %s %s\n", which.c_str(), static_cast<unsigned long>(http->MaxSize),
              rest / 1024, Memory().PeakWorkingSetSize / 1024, Now() - start, counter.outcome,
              left ? "file_left" : "no_file");
  DeleteFileW(file.c_str());
  return 0;
}

template <class F>
void Measure(const char* name, int runs, F fetch) {
  std::vector<double> times;
  int64_t bytes = 0;
  for (int i = 0; i < runs; ++i) {
    const double start = Now();
    bytes = fetch();
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  std::printf("%s %.1f %lld\n", name, times[times.size() / 2], static_cast<long long>(bytes));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (std::string(argv[1]) == "--endless") return argc < 5 ? 2 : Endless(argv[2], argv[3], argv[4]);
  toolkit::EnsureApplicationWindow();
  SwitchDispatchOn();
  const std::string url = argv[1];
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  Measure("wininet_64k", runs, [&] { return Plain(url, 65536); });
  Measure("wininet_1025", runs, [&] { return Plain(url, 1025); });
  Measure("blocking", runs, [&] { return Component(url, true); });
  Measure("worker", runs, [&] { return Component(url, false); });
  Measure("worker_quiet", runs, [&] { return Component(url, false, false); });
  return 0;
}
