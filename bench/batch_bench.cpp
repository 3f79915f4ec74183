// The batch tool's work: 1 000 jobs (colours) × 20 wall templates × 5
// floors through the batch schema, beside writing the very same bytes to the
// very same files straight, one write per file, in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/template_text.h"
#include "runtime/dispatch.h"
#include "schema/batch_schema.h"
#include "toolkit/file_bytes.h"
#include "toolkit/native_name_host.h"
#include "toolkit/system.h"

namespace {

constexpr int kJobs = 1000, kTemplates = 20;

using bench::Block;

struct Bench {
  Bench() {
    folder = "/tmp/ostrel_batch_bench_" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(folder + "sources");
    for (int t = 0; t < kTemplates; ++t)
      toolkit::WriteFileBytes(folder + "sources/wall" + std::to_string(t) + ".wgw",
                              "wall_%1_%2_" + std::to_string(t) + ".wgw||" + Block("bottom", 512) + "||" +
                                  Block("floor", 512) + "||" + Block("top", 512));
    std::string programFolder = folder;
    for (char& c : programFolder)
      if (c == '/') c = '\\';
    toolkit::SetProgramFolder(programFolder);
    for (int j = 0; j < kJobs; ++j)
      jobs.push_back({"5", "colour " + std::to_string(j), "цвет " + std::to_string(j),
                      std::to_string(j % 256) + " 0 0", ""});
  }
  ~Bench() { std::filesystem::remove_all(folder); }

  // Answers the files written.
  int32_t RunAll() {
    schema.Saves = {};
    for (const BatchInputs& job : jobs) {
      schema.SetInputs(job);
      schema.MakeWalls();
    }
    return schema.Saves.written;
  }

  std::string folder;
  std::vector<BatchInputs> jobs;
  BatchSchema schema;
};

using Files = std::vector<std::pair<std::string, std::string>>;

void BM_BatchOverStraightRatio(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  SwitchDispatchOn();
  Bench bench;
  if (bench.RunAll() != kJobs * kTemplates) state.SkipWithError("the batch did not write every file");
  Files files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(bench.folder + "result"))
    if (e.is_regular_file()) {
      std::string bytes;
      toolkit::ReadFileBytes(e.path().string(), bytes);
      files.emplace_back(e.path().string(), std::move(bytes));
    }
  Clock::duration batch{}, straight{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    bench.RunAll();
    const auto t1 = Clock::now();
    for (const auto& f : files) benchmark::DoNotOptimize(toolkit::WriteFileBytes(f.first, f.second));
    batch += t1 - t0;
    straight += Clock::now() - t1;
  }
  const double seconds = std::chrono::duration<double>(batch).count();
  state.counters["ratio"] = static_cast<double>(batch.count()) / static_cast<double>(straight.count());
  state.counters["files_per_s"] = static_cast<double>(state.iterations()) * kJobs * kTemplates / seconds;
  state.counters["files"] = static_cast<double>(files.size());
  SwitchDispatchOff();
}
BENCHMARK(BM_BatchOverStraightRatio)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
