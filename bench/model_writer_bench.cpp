// The model writer turning 200 templates of about 4 KiB into model files at
// 101 floors, beside writing the very same bytes straight, one write per file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/template_text.h"
#include "runtime/dispatch.h"
#include "runtime/nested.h"
#include "schema/model_writer.h"
#include "toolkit/file_bytes.h"

namespace {

constexpr int kTemplates = 200;

using bench::Block;

// Answers the model writer's outer data: the inputs of the main window and
// the fields of the template at hand.
struct Inputs {
  std::string values[11];
  void Get(TData& d, uint16_t index) { SetString(d, values[index]); }
};

struct Bench {
  Bench() {
    folder = "/tmp/ostrel_model_writer_bench_" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(folder);
    const char* fixed[] = {"101", "128 0 0", "255 255 255", "dark red", "тёмно-красный"};
    for (int i = 0; i < 5; ++i) inputs.values[i] = fixed[i];
    inputs.values[9] = folder;
    inputs.values[10] = folder;
    for (int t = 0; t < kTemplates; ++t)
      fields.push_back({"wall_%1_%2_" + std::to_string(t) + ".wgw", Block("bottom", 1024),
                        Block("floor", 2048), Block("top", 1024)});
    host.OuterData.resize(11);
    for (uint16_t i = 0; i < 11; ++i) host.OuterData[i] = Link<&Inputs::Get>(&inputs, i);
    host.OuterEvents.resize(1);
    host.SetFactory(&TClassMultiElementEx_4EA8790::Factory);
  }
  ~Bench() { std::filesystem::remove_all(folder); }

  void WriteAll() {
    for (const auto& f : fields) {
      for (int i = 0; i < 4; ++i) inputs.values[5 + i] = f[i];
      TData rest = StringData("");
      FireEvent(work, rest);
    }
  }

  std::string folder;
  Inputs inputs;
  std::vector<std::array<std::string, 4>> fields;
  TKestoMultiElementEx host{nullptr};
  const TKesto_Event work = Link<&TKestoMultiElementEx::Work>(&host, 0);
};

void BM_ModelWriter200Templates(benchmark::State& state) {
  SwitchDispatchOn();
  Bench bench;
  for (auto _ : state) bench.WriteAll();
  state.SetItemsProcessed(state.iterations() * kTemplates);
  SwitchDispatchOff();
}
BENCHMARK(BM_ModelWriter200Templates)->Unit(benchmark::kMillisecond);

// The baseline: the files the model writer wrote, read back once.
using Files = std::vector<std::pair<std::string, std::string>>;
Files WrittenFiles(benchmark::State& state, Bench& bench) {
  bench.WriteAll();
  Files files;
  for (const auto& entry : std::filesystem::directory_iterator(bench.folder)) {
    std::string bytes;
    toolkit::ReadFileBytes(entry.path().string(), bytes);
    files.emplace_back(entry.path().string(), std::move(bytes));
  }
  if (files.size() != kTemplates) state.SkipWithError("the model writer did not write every file");
  return files;
}

void WriteStraight(const Files& files) {
  for (const auto& f : files) benchmark::DoNotOptimize(toolkit::WriteFileBytes(f.first, f.second));
}

void BM_StraightWrite200Files(benchmark::State& state) {
  SwitchDispatchOn();
  Bench bench;
  const Files files = WrittenFiles(state, bench);
  size_t total = 0;
  for (const auto& f : files) total += f.second.size();
  for (auto _ : state) WriteStraight(files);
  state.SetItemsProcessed(state.iterations() * kTemplates);
  state.counters["MiB_per_iteration"] = static_cast<double>(total) / (1 << 20);
  SwitchDispatchOff();
}
BENCHMARK(BM_StraightWrite200Files)->Unit(benchmark::kMillisecond);

// Both in turn within each iteration, so a busy machine weighs on both alike;
// "ratio" is the model writer's wall time over the straight write's.
void BM_WriterOverStraightRatio(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  SwitchDispatchOn();
  Bench bench;
  const Files files = WrittenFiles(state, bench);
  Clock::duration writer{}, straight{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    bench.WriteAll();
    const auto t1 = Clock::now();
    WriteStraight(files);
    writer += t1 - t0;
    straight += Clock::now() - t1;
  }
  state.counters["ratio"] = static_cast<double>(writer.count()) / static_cast<double>(straight.count());
  SwitchDispatchOff();
}
BENCHMARK(BM_WriterOverStraightRatio)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
