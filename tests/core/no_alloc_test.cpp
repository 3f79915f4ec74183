// Counts heap allocations around a firing: an Integer or NULL crossing a
// chain of forwarding components must not allocate.
// GCC cannot see that the replaced new below pairs with the replaced delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/core/probes.h"

static std::atomic<long> g_allocations{0};

void* operator new(std::size_t n) {
  ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Forwarder {
  TKesto_Event Out;
  void In(TData& d, uint16_t) { ForwardAsIs(d, Out); }
};
struct Counter {
  int hits = 0;
  void In(TData&, uint16_t) { ++hits; }
};

TEST(Forwarding, IntegerAndNullAllocateNothing) {
  DispatchOn on;
  std::vector<Forwarder> chain(1000);
  Counter end;
  for (size_t i = 0; i + 1 < chain.size(); ++i) chain[i].Out = Link<&Forwarder::In>(&chain[i + 1]);
  chain.back().Out = Link<&Counter::In>(&end);
  TKesto_Event start = Link<&Forwarder::In>(&chain[0]);
  long before = g_allocations;
  FireInteger(start, 1);
  FireNull(start);
  EXPECT_EQ(g_allocations - before, 0);
  EXPECT_EQ(end.hits, 2);
}

}  // namespace
