// Formatting a typical model template and a large mask, splitting and
// replacing in a large text, and a hub fanning one event out.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "components/text/storage.h"
#include "components/text/strings.h"
#include "runtime/dispatch.h"
#include "toolkit/strlist.h"

namespace {

struct Source {
  TData answer;
  void Get(TData& d, uint16_t) { d = answer; }
};

struct Sink {
  int64_t sum = 0;
  // Not inlined, so the baseline below pays one real call per receiver too.
  [[gnu::noinline]] void In(TData& d, uint16_t) { sum += d.IntValue; }
};

struct Collector {
  size_t bytes = 0;
  void In(TData& d, uint16_t) { bytes += d.StrValue.size(); }
};

// A text of about `size` bytes with `placeholders` keys %1 .. %5 spread over it.
std::string MakeMask(size_t size, size_t placeholders) {
  const size_t filler = size / placeholders - 2;
  std::string mask;
  mask.reserve(size + 16);
  for (size_t i = 0; i < placeholders; ++i) {
    mask.append(filler, i % 7 == 0 ? '\n' : 'v');
    mask += '%';
    mask += static_cast<char>('1' + i % 5);
  }
  return mask;
}

void RunFormat(benchmark::State& state, size_t size, size_t placeholders) {
  SwitchDispatchOn();
  TKestoFormatStr format(5);
  format.Mask = MakeMask(size, placeholders);
  std::vector<Source> values(5);
  const char* texts[] = {"5", "dark red", "dark-red-ru", "128 0 0", "255 255 255"};
  for (size_t i = 0; i < 5; ++i) {
    values[i].answer = StringData(texts[i]);
    format.StrSources[i] = Link<&Source::Get>(&values[i]);
  }
  Collector out;
  format.Result = Link<&Collector::In>(&out);
  TKesto_Event start = Link<&TKestoFormatStr::Format>(&format);
  for (auto _ : state) FireNull(start);
  benchmark::DoNotOptimize(out.bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * format.Mask.size()));
  SwitchDispatchOff();
}

void BM_FormatTypicalTemplate(benchmark::State& state) { RunFormat(state, 4096, 40); }
BENCHMARK(BM_FormatTypicalTemplate);

void BM_Format1MiB100kPlaceholders(benchmark::State& state) { RunFormat(state, 1 << 20, 100000); }
BENCHMARK(BM_Format1MiB100kPlaceholders)->Unit(benchmark::kMillisecond);

// Baseline for the 1 MiB cases: one sweep that copies the text into a
// fresh string and hands it on, the least any formatter has to do.
void BM_BaselineCopy1MiB(benchmark::State& state) {
  SwitchDispatchOn();
  Collector out;
  TKesto_Event sink = Link<&Collector::In>(&out);
  const std::string text = MakeMask(1 << 20, 100000);
  for (auto _ : state) FireString(sink, text);
  benchmark::DoNotOptimize(out.bytes);
  SwitchDispatchOff();
}
BENCHMARK(BM_BaselineCopy1MiB)->Unit(benchmark::kMillisecond);

void BM_Replace1MiB(benchmark::State& state) {
  SwitchDispatchOn();
  TKestoReplace replace;
  replace.SubStr = "%3";
  replace.DestStr = "light red";
  Collector out;
  replace.Result = Link<&Collector::In>(&out);
  TKesto_Event start = Link<&TKestoReplace::Replace>(&replace);
  const std::string text = MakeMask(1 << 20, 100000);
  for (auto _ : state) FireString(start, text);
  benchmark::DoNotOptimize(out.bytes);
  SwitchDispatchOff();
}
BENCHMARK(BM_Replace1MiB)->Unit(benchmark::kMillisecond);

void BM_StrListText1MiB(benchmark::State& state) {
  const std::string text = MakeMask(1 << 20, 100000);
  TStrList list;
  for (auto _ : state) {
    list.SetText(text);
    benchmark::DoNotOptimize(list.Text());
  }
}
BENCHMARK(BM_StrListText1MiB)->Unit(benchmark::kMillisecond);

void BM_HubFanOut13(benchmark::State& state) {
  SwitchDispatchOn();
  TKestoHub hub(13);
  Sink sink;
  for (TKesto_Event& out : hub.Out) out = Link<&Sink::In>(&sink);
  TKesto_Event start = Link<&TKestoHub::In>(&hub);
  for (auto _ : state) FireInteger(start, 1);
  benchmark::DoNotOptimize(sink.sum);
  SwitchDispatchOff();
}
BENCHMARK(BM_HubFanOut13);

// Baseline for the hub: the same 13 receivers called directly.
void BM_BaselineDirectCalls13(benchmark::State& state) {
  Sink sink;
  std::vector<Sink*> outs(13, &sink);
  benchmark::DoNotOptimize(outs.data());
  for (auto _ : state) {
    TData d = IntegerData(1);
    for (Sink* s : outs) {
      TData copy = d;  // the hub hands each output its own copy
      s->In(copy, 0);
    }
  }
  benchmark::DoNotOptimize(sink.sum);
}
BENCHMARK(BM_BaselineDirectCalls13);

}  // namespace

BENCHMARK_MAIN();
