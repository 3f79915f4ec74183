// One event hop through a forwarding component and one data pull, beside a
// plain virtual call doing the same work.
#include <benchmark/benchmark.h>

#include "runtime/dispatch.h"
#include "runtime/pull.h"

namespace {

struct Sink {
  int32_t sum = 0;
  void In(TData& d, uint16_t) { sum += d.IntValue; }
};

struct Forwarder {
  TKesto_Event Out;
  void In(TData& d, uint16_t) { ForwardAsIs(d, Out); }
};

struct Source {
  int32_t value = 7;
  void Get(TData& d, uint16_t) { SetInteger(d, value); }
};

struct Receiver {
  virtual ~Receiver() = default;
  virtual void In(int32_t v) = 0;
  virtual int32_t Get() = 0;
};
struct PlainSink : Receiver {
  int32_t sum = 0;
  void In(int32_t v) override { sum += v; }
  int32_t Get() override { return sum; }
};
struct PlainForwarder : Receiver {
  Receiver* next = nullptr;
  void In(int32_t v) override { next->In(v); }
  int32_t Get() override { return next->Get(); }
};

void BM_EventHopThroughForwarder(benchmark::State& state) {
  SwitchDispatchOn();
  Sink sink;
  Forwarder f;
  f.Out = Link<&Sink::In>(&sink);
  TKesto_Event link = Link<&Forwarder::In>(&f);
  for (auto _ : state) FireInteger(link, 1);
  benchmark::DoNotOptimize(sink.sum);
  SwitchDispatchOff();
}
BENCHMARK(BM_EventHopThroughForwarder);

void BM_PlainVirtualHop(benchmark::State& state) {
  PlainSink sink;
  PlainForwarder f;
  f.next = &sink;
  Receiver* r = &f;
  benchmark::DoNotOptimize(r);
  for (auto _ : state) r->In(1);
  benchmark::DoNotOptimize(sink.sum);
}
BENCHMARK(BM_PlainVirtualHop);

// The same hop with virtual calls carrying the same value record the
// runtime carries: what is left of the difference is dispatch itself.
struct ValueReceiver {
  virtual ~ValueReceiver() = default;
  virtual void In(TData& d) = 0;
};
struct ValueSink : ValueReceiver {
  int32_t sum = 0;
  void In(TData& d) override { sum += d.IntValue; }
};
struct ValueForwarder : ValueReceiver {
  ValueReceiver* next = nullptr;
  void In(TData& d) override { next->In(d); }
};

void BM_PlainVirtualHopCarryingAValue(benchmark::State& state) {
  ValueSink sink;
  ValueForwarder f;
  f.next = &sink;
  ValueReceiver* r = &f;
  benchmark::DoNotOptimize(r);
  for (auto _ : state) {
    TData d;
    SetInteger(d, 1);
    r->In(d);
  }
  benchmark::DoNotOptimize(sink.sum);
}
BENCHMARK(BM_PlainVirtualHopCarryingAValue);

void BM_DataPull(benchmark::State& state) {
  SwitchDispatchOn();
  Source src;
  TKesto_Event link = Link<&Source::Get>(&src);
  TData incoming;
  for (auto _ : state) benchmark::DoNotOptimize(PullInteger(incoming, link, 0));
  SwitchDispatchOff();
}
BENCHMARK(BM_DataPull);

void BM_PlainVirtualGet(benchmark::State& state) {
  PlainSink sink;
  Receiver* r = &sink;
  benchmark::DoNotOptimize(r);
  for (auto _ : state) benchmark::DoNotOptimize(r->Get());
}
BENCHMARK(BM_PlainVirtualGet);

}  // namespace

BENCHMARK_MAIN();
