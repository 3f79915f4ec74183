#include <gtest/gtest.h>

#include "components/text/flow.h"
#include "tests/text/helpers.h"

namespace {

using namespace text_test;

struct Branches {
  Probe yes, no;
  explicit Branches(TKestoIf_else& branch) {
    branch.True = To(yes);
    branch.False = To(no);
  }
};

TEST(IfElse, ComparesOperandsButSendsTheIncomingValue) {
  DispatchOn on;
  TKestoIf_else newer;
  newer.Type = kGreater;
  Source installed;
  installed.answer = IntegerData(3);
  newer.Op2Source = From(installed);
  Branches out(newer);
  Fire<&TKestoIf_else::Compare>(newer, IntegerData(5));
  Fire<&TKestoIf_else::Compare>(newer, IntegerData(3));
  ASSERT_EQ(out.yes.values.size(), 1u);
  ASSERT_EQ(out.no.values.size(), 1u);
  EXPECT_EQ(out.yes.values[0].IntValue, 5);
  EXPECT_EQ(out.no.values[0].IntValue, 3);

  TKestoIf_else ok;
  ok.Op2 = IntegerData(0);
  Branches result(ok);
  Fire<&TKestoIf_else::Compare>(ok, IntegerData(0));
  Fire<&TKestoIf_else::Compare>(ok, IntegerData(2));
  EXPECT_EQ(result.yes.values.size(), 1u);
  ASSERT_EQ(result.no.values.size(), 1u);
  EXPECT_EQ(result.no.values[0].IntValue, 2);
}

TEST(IfElse, UnlinkedNullOperandsConsumeTheChain) {
  DispatchOn on;
  TKestoIf_else less;
  less.Type = kLess;
  Branches out(less);
  Chain chain{IntegerData(1), IntegerData(2)};
  Fire<&TKestoIf_else::Compare>(less, chain.Head());
  ASSERT_EQ(out.yes.values.size(), 1u);
  EXPECT_EQ(out.yes.values[0].IntValue, 1);  // as it arrived, chain and all
  EXPECT_NE(out.yes.values[0].Next, nullptr);

  for (uint8_t code = 0; code < 8; ++code) {  // NULL against NULL: always true
    less.Type = code;
    Fire<&TKestoIf_else::Compare>(less);
  }
  EXPECT_EQ(out.yes.values.size(), 9u);
}

TEST(CompareValues, KindOfTheFirstOperandDecides) {
  auto s = [](const char* text) { return StringData(text); };
  EXPECT_FALSE(CompareValues(s("abc"), s("ABC"), kEqual));
  EXPECT_TRUE(CompareValues(s("abc"), s("ABD"), kLess));
  EXPECT_TRUE(CompareValues(s("ABC"), s("abc"), kLessOrEqual));
  EXPECT_TRUE(CompareValues(s("ab"), s("abc"), kLess));
  EXPECT_TRUE(CompareValues(s("\xE0"), s("b"), kGreater));  // bytes unsigned, no folding past ASCII
  EXPECT_TRUE(CompareValues(s("_"), s("a"), kGreater));    // "a" counts as "A" (65) < "_" (95)
  EXPECT_TRUE(CompareValues(StringData(std::string("a\0x", 3)), s("a"), kGreaterOrEqual));
  EXPECT_TRUE(CompareValues(StringData(std::string("a\0x", 3)), s("a"), kNotEqual));
  EXPECT_TRUE(CompareValues(s("7"), IntegerData(7), kEqual));
  EXPECT_TRUE(CompareValues(IntegerData(7), s("7x"), kEqual));
  EXPECT_TRUE(CompareValues(IntegerData(-1), TData(), kLess));
  EXPECT_FALSE(CompareValues(TData(), IntegerData(0), kEqual));
  EXPECT_FALSE(CompareValues(IntegerData(1), IntegerData(1), 6));
  TData real;
  SetReal(real, 2.5);
  EXPECT_TRUE(CompareValues(real, s("2.25"), kGreater));
  EXPECT_TRUE(CompareValues(real, IntegerData(3), kLess));
  TData array;
  SetArray(array, nullptr);
  EXPECT_FALSE(CompareValues(array, array, kEqual));
}

TEST(Case, MatchSendsTheResultElseTheIncomingValue) {
  DispatchOn on;
  TKestoCase answer;
  answer.Value = IntegerData(1);
  Probe match, other;
  answer.Match = To(match);
  answer.Else = To(other);
  Fire<&TKestoCase::Case>(answer, IntegerData(1));
  Fire<&TKestoCase::Case>(answer, StringData("1"));
  Fire<&TKestoCase::Case>(answer, IntegerData(2));
  ASSERT_EQ(match.values.size(), 2u);
  EXPECT_EQ(match.values[0].Type(), dtNull);
  ASSERT_EQ(other.values.size(), 1u);
  EXPECT_EQ(other.values[0].IntValue, 2);
}

TEST(Switch, ChangedCompletesBeforeOnOrOff) {
  DispatchOn on;
  TKestoSwitch toggle(IntegerData(10), IntegerData(20), 1);
  EXPECT_FALSE(toggle.State);
  EXPECT_EQ(toggle.Current.IntValue, 20);
  Probe log;
  toggle.Changed = Link<&Probe::In>(&log, 0);
  toggle.On = Link<&Probe::In>(&log, 1);
  toggle.Off = Link<&Probe::In>(&log, 2);
  Fire<&TKestoSwitch::Switch>(toggle);
  Fire<&TKestoSwitch::Switch>(toggle);
  EXPECT_EQ(log.indexes, (std::vector<uint16_t>{0, 1, 0, 2}));
  EXPECT_EQ(log.values[0].IntValue, 10);
  EXPECT_EQ(log.values[3].IntValue, 20);

  Source pulled;
  pulled.answer = StringData("on!");
  toggle.OnSource = From(pulled);
  Fire<&TKestoSwitch::Switch>(toggle);
  EXPECT_EQ(toggle.Current.StrValue, "on!");
  EXPECT_TRUE(TKestoSwitch(TData(), TData(), 0).State);
}

std::vector<int32_t> Counts(const Probe& probe) {
  std::vector<int32_t> out;
  for (const TData& v : probe.values) out.push_back(v.IntValue);
  return out;
}

TEST(Counter, WrapsToTheFarEnd) {
  DispatchOn on;
  TKestoCounter steps;
  steps.Max = 8;
  Probe value;
  steps.ValueEvent = To(value);
  for (int i = 0; i < 9; ++i) Fire<&TKestoCounter::Next>(steps);
  Fire<&TKestoCounter::Reset>(steps);
  Fire<&TKestoCounter::Next>(steps);
  EXPECT_EQ(Counts(value), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 0, 1}));

  value.values.clear();
  steps.Step = 3;
  steps.Value = 0;
  for (int i = 0; i < 4; ++i) Fire<&TKestoCounter::Next>(steps);
  steps.Direction = 1;
  steps.Step = 1;
  steps.Value = 0;
  Fire<&TKestoCounter::Next>(steps);
  EXPECT_EQ(Counts(value), (std::vector<int32_t>{3, 6, 0, 3, 8}));

  // At the 32-bit limit the count still wraps to the far end.
  TKestoCounter edge;
  edge.Min = -5;
  edge.Max = INT32_MAX;
  edge.Value = INT32_MAX;
  edge.Step = 1;
  TData unused;
  edge.Next(unused, 0);
  EXPECT_EQ(edge.Value, -5);
}

struct LoopRun {
  std::vector<int32_t> iterations;
  int32_t done;
};

LoopRun RunLoop(TKestoFor& loop, TData incoming = TData()) {
  Probe iteration, done;
  loop.Iteration = To(iteration);
  loop.Done = To(done);
  Fire<&TKestoFor::Run>(loop, incoming);
  EXPECT_EQ(done.values.size(), 1u);
  return {Counts(iteration), done.values.empty() ? -999 : done.values[0].IntValue};
}

TEST(For, RangesEndsAndSteps) {
  DispatchOn on;
  TKestoFor loop;
  loop.Start = 1;
  Source floors;
  floors.answer = StringData("5");
  loop.EndSource = From(floors);
  LoopRun run = RunLoop(loop);
  EXPECT_EQ(run.iterations, (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(run.done, 5);
  loop.IncludeEnd = 1;
  run = RunLoop(loop);
  EXPECT_EQ(run.iterations.size(), 5u);
  EXPECT_EQ(run.done, 6);
  floors.answer = IntegerData(1);
  loop.IncludeEnd = 0;
  run = RunLoop(loop);
  EXPECT_TRUE(run.iterations.empty());
  EXPECT_EQ(run.done, 1);

  TKestoFor down;
  down.Start = 3;
  down.End = 1;
  down.Step = -1;
  run = RunLoop(down);
  EXPECT_EQ(run.iterations, (std::vector<int32_t>{3, 2}));
  EXPECT_EQ(run.done, 1);
  down.Step = 0;
  run = RunLoop(down);
  EXPECT_TRUE(run.iterations.empty());
  EXPECT_EQ(run.done, 3);
}

TEST(For, IncomingValueOnlyWithKeepInputAndNoEndlessLoopAtTheLimit) {
  DispatchOn on;
  TKestoFor loop;
  Chain chain{IntegerData(2), IntegerData(4)};
  EXPECT_EQ(RunLoop(loop, chain.Head()).iterations, std::vector<int32_t>{});
  loop.KeepInput = 1;
  EXPECT_EQ(RunLoop(loop, chain.Head()).iterations, (std::vector<int32_t>{2, 3}));

  TKestoFor edge;
  edge.Start = INT32_MAX - 1;
  edge.End = INT32_MAX;
  edge.IncludeEnd = 1;
  EXPECT_EQ(RunLoop(edge).iterations, (std::vector<int32_t>{INT32_MAX - 1, INT32_MAX}));
  edge.Start = INT32_MIN + 1;
  edge.End = INT32_MIN;
  edge.Step = -1;
  EXPECT_EQ(RunLoop(edge).iterations, (std::vector<int32_t>{INT32_MIN + 1, INT32_MIN}));
  edge.Start = 0;
  edge.End = INT32_MIN;  // excluded end below the 32-bit range: no run
  edge.Step = 1;
  edge.IncludeEnd = 0;
  EXPECT_TRUE(RunLoop(edge).iterations.empty());
}

// An Iteration listener that starts the same loop again: the outer loop goes
// on from where the inner one stopped.
struct Restarter {
  TKestoFor* loop;
  int restarts = 0;
  std::vector<int32_t> seen;
  void In(TData& d, uint16_t) {
    seen.push_back(d.IntValue);
    if (restarts++ == 0) FireNull(Link<&TKestoFor::Run>(loop));
  }
};

TEST(For, ReentrantRunSharesTheCount) {
  DispatchOn on;
  TKestoFor loop;
  loop.Start = 0;
  loop.End = 3;
  Restarter restarter{&loop, 0, {}};
  loop.Iteration = Link<&Restarter::In>(&restarter);
  Fire<&TKestoFor::Run>(loop);
  EXPECT_EQ(restarter.seen, (std::vector<int32_t>{0, 0, 1, 2}));
}

}  // namespace

namespace {

using namespace text_test;

// A run's report names what happened in that run only.
TEST(Tally, ReportsFailuresFirstThenNothingThenDoneAndStartsAfresh) {
  DispatchOn on;
  TKestoTally tally;
  Probe done, failed, nothing;
  tally.Done = To(done);
  tally.Failed = To(failed);
  tally.Nothing = To(nothing);
  const std::vector<std::vector<int32_t>> runs = {{1, 0, 1, 0}, {}, {1, 1}, {0}};
  for (const auto& run : runs) {
    for (int32_t saved : run) Fire<&TKestoTally::Count>(tally, IntegerData(saved));
    Fire<&TKestoTally::Report>(tally, StringData("report"));
  }
  ASSERT_EQ(failed.values.size(), 2u);
  EXPECT_EQ(failed.values[0].IntValue, 2);
  EXPECT_EQ(failed.values[1].IntValue, 1);
  EXPECT_EQ(nothing.values.size(), 1u);
  EXPECT_EQ(Strings(done), Texts{"report"});
}

}  // namespace
