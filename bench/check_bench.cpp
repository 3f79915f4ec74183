// ostrel-batch --check over 10 000 templates in 200 folders (50 walls in
// sources/, 50 houses with their previews in each of 199 subfolders), beside
// cat reading the very same files, in the same run.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/template_text.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFolders = 200, kPerFolder = 50, kRuns = 5;

using bench::Block;

void Put(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// Builds the program folder; answers the number of files in it.
int Lay(const fs::path& root) {
  std::ifstream in(fs::path(OSTREL_SAMPLES) / "house_small.bmp", std::ios::binary);
  const std::string picture((std::istreambuf_iterator<char>(in)), {});
  const std::string body = Block("bottom", 512) + "||" + Block("floor", 512) + "||" + Block("top", 512);
  int files = 0;
  for (int f = 0; f < kFolders; ++f) {
    const fs::path folder = f == 0 ? root / "sources" : root / "sources" / ("set" + std::to_string(f));
    fs::create_directories(folder);
    for (int t = 0; t < kPerFolder; ++t) {
      const std::string name = "t" + std::to_string(f) + "_" + std::to_string(t);
      if (f == 0) {
        Put(folder / (name + ".wgw"), "wall_%1_%2_" + name + ".wgm||" + body);
        ++files;
      } else {
        Put(folder / (name + ".wgh"), "house_%2_" + name + ".wgh||" + body);
        Put(folder / (name + ".bmp"), picture);
        files += 2;
      }
    }
  }
  return files;
}

double ChildrenCpu() {
  rusage use{};
  getrusage(RUSAGE_CHILDREN, &use);
  return double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

struct Seconds {
  double wall, cpu;  // cpu: user and system time; the machine may be shared
};

// Runs a shell command with its output dropped; a wall time of -1 when it
// did not end with `code`.
Seconds Timed(const std::string& command, int code) {
  const double cpu = ChildrenCpu();
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execl("/bin/sh", "sh", "-c", (command + " >/dev/null 2>&1").c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return {WIFEXITED(status) && WEXITSTATUS(status) == code ? wall : -1, ChildrenCpu() - cpu};
}

Seconds Median(std::vector<Seconds> v) {
  auto middle = [&](double Seconds::*field) {
    std::sort(v.begin(), v.end(), [&](const Seconds& a, const Seconds& b) { return a.*field < b.*field; });
    return v[v.size() / 2].*field;
  };
  return {middle(&Seconds::wall), middle(&Seconds::cpu)};
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / ("ostrel_check_bench_" + std::to_string(getpid()));
  const int files = Lay(root);
  const std::string check = std::string(OSTREL_BATCH) + " --check --folder '" + root.string() + "'";
  const std::string cat = "find '" + (root / "sources").string() + "' -type f -print0 | xargs -0 cat";
  Timed(cat, 0);  // the same warm cache for both
  std::vector<Seconds> checks, cats;
  for (int run = 0; run < kRuns; ++run) {
    checks.push_back(Timed(check, 0));
    cats.push_back(Timed(cat, 0));
  }
  fs::remove_all(root);
  auto failed = [](const Seconds& s) { return s.wall < 0; };
  if (std::any_of(checks.begin(), checks.end(), failed) || std::any_of(cats.begin(), cats.end(), failed)) {
    std::fprintf(stderr, "the check found problems, or cat failed\n");
    return 1;
  }
  const Seconds c = Median(checks), k = Median(cats);
  const double templates = kFolders * kPerFolder;
  std::printf("%d templates in %d folders (%d files, previews included), median of %d runs\n", kFolders * kPerFolder,
              kFolders, files, kRuns);
  std::printf("wall: ostrel-batch --check %7.3f s (%6.0f templates/s)   cat %7.3f s   check/cat %.1fx\n", c.wall,
              templates / c.wall, k.wall, c.wall / k.wall);
  std::printf("cpu:  ostrel-batch --check %7.3f s (%6.0f templates/s)   cat %7.3f s   check/cat %.1fx\n", c.cpu,
              templates / c.cpu, k.cpu, c.cpu / k.cpu);
  return 0;
}
