#include <gtest/gtest.h>

#include "runtime/debug.h"
#include "runtime/paths.h"
#include "runtime/startup.h"
#include "tests/core/probes.h"
#include "toolkit/system.h"
#ifndef _WIN32
#include "toolkit/system_host.h"
#endif

namespace {

TData Chain2(TData first, TData second) {
  TData head = first;
  head.Next = new TData(second);
  return head;
}

TEST(Conversions, IntegerAtTheEdges) {
  EXPECT_EQ(ValueToInteger(StringData("-12x")), -12);
  EXPECT_EQ(ValueToInteger(StringData("12abc")), 12);
  EXPECT_EQ(ValueToInteger(StringData("")), 0);
  EXPECT_EQ(ValueToInteger(StringData(" 5")), 0);  // no blanks skipped
  EXPECT_EQ(ValueToInteger(StringData("+7")), 7);
  EXPECT_EQ(ValueToInteger(StringData("-")), 0);
  EXPECT_EQ(ValueToInteger(StringData("--3")), 0);
  EXPECT_EQ(ValueToInteger(StringData("4294967297")), 1);  // 32-bit wrap
  EXPECT_EQ(ValueToInteger(StringData("2147483648")), INT32_MIN);
  EXPECT_EQ(ValueToInteger(StringData("-2147483648")), INT32_MIN);
  TData real;
  for (auto [r, want] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {1.49, 1},
                         {4294967296.0 + 5, 5}, {2147483648.0, INT32_MIN}}) {
    SetReal(real, r);
    EXPECT_EQ(ValueToInteger(real), want) << r;
  }
  TData stream;
  SetStream(stream, reinterpret_cast<TStream*>(&real));
  EXPECT_EQ(ValueToInteger(stream), 0);
  EXPECT_EQ(ValueToInteger(TData{}), 0);
}

TEST(Conversions, StringAndIndex) {
  EXPECT_EQ(ValueToString(IntegerData(-42)), "-42");
  EXPECT_EQ(ValueToString(IntegerData(INT32_MIN)), "-2147483648");
  EXPECT_EQ(ValueToString(TData{}), "");
  EXPECT_EQ(ValueToString(StringData(std::string("a\0b", 3))), std::string("a\0b", 3));
  EXPECT_EQ(ValueToIndex(StringData("abc")), -1);
  EXPECT_EQ(ValueToIndex(StringData("0")), 0);
  EXPECT_EQ(ValueToIndex(StringData("00x")), 0);
  EXPECT_EQ(ValueToIndex(StringData("")), -1);
  EXPECT_EQ(ValueToIndex(StringData("3")), 3);
  EXPECT_EQ(ValueToIndex(TData{}), -1);
  TData real;
  SetReal(real, 6.5);
  EXPECT_EQ(ValueToIndex(real), 6);
}

TEST(Conversions, TypeNamesAndCodepage) {
  EXPECT_STREQ(TypeNames[0], "NULL");
  EXPECT_STREQ(TypeNames[13], "Array");
  EXPECT_STREQ(TypeNames[22], "Break");
  // The program's texts are compiled to cp1251 bytes.
  EXPECT_EQ(std::string("Готово"), "\xC3\xEE\xF2\xEE\xE2\xEE");
}

TEST(Values, ConstructorsKeepOtherPayloads) {
  TData d;
  SetInteger(d, 5);
  SetString(d, "x");
  EXPECT_EQ(d.Kind, dtString);
  EXPECT_EQ(d.IntValue, 5);
  TData other;
  d.Next = &other;
  d.ForwardLink = &NoLink;
  SetNull(d);
  EXPECT_EQ(d.Next, nullptr);
  EXPECT_EQ(d.ForwardLink, nullptr);
  EXPECT_EQ(d.StrValue, "x");
}

TEST(Chains, CopyAndFreeLeaveNothingBehind) {
  TData source = Chain2(StringData("a"), IntegerData(2));
  source.Next->Next = new TData(StringData("c"));
  TData copy;
  CopyChain(copy, source);
  ASSERT_NE(copy.Next, source.Next);
  EXPECT_EQ(copy.Next->IntValue, 2);
  EXPECT_EQ(copy.Next->Next->StrValue, "c");
  FreeChain(copy);
  FreeChain(source);
  EXPECT_EQ(source.Next, nullptr);
}

TEST(PullRule, LinkedSourceAnswers) {
  DispatchOn on;
  Source src;
  src.answer = Chain2(StringData("x"), IntegerData(1));
  TKesto_Event link = Link<&Source::Get>(&src);
  TData incoming = StringData("in");
  TData got = PullValue(incoming, link, nullptr);
  EXPECT_EQ(got.StrValue, "x");
  EXPECT_EQ(got.Next, nullptr);  // a reader cuts the chain
  EXPECT_EQ(incoming.StrValue, "in");
  EXPECT_EQ(PullString(incoming, link, "def"), "x");
  EXPECT_EQ(incoming.Type(), dtString);  // nothing consumed
  FreeChain(src.answer);
}

TEST(PullRule, BreakFallsBackAsIfUnlinked) {
  DispatchOn on;
  Source src;
  src.answer.Kind = dtBreak;
  TKesto_Event link = Link<&Source::Get>(&src);
  TData incoming = IntegerData(3);
  EXPECT_EQ(PullString(incoming, link, "def"), "def");
  EXPECT_EQ(PullInteger(incoming, link, 0), 3);
  EXPECT_EQ(incoming.Type(), dtNull);
  TData def = StringData("d");
  EXPECT_EQ(PullValue(incoming, link, &def).StrValue, "d");
  EXPECT_EQ(src.asked, 3);
}

TEST(PullRule, UnlinkedPointsConsumeTheIncomingChainInOrder) {
  TData incoming = Chain2(StringData("7"), IntegerData(9));
  TData* second = incoming.Next;
  EXPECT_EQ(PullInteger(incoming, NoLink, 0), 7);
  EXPECT_EQ(PullInteger(incoming, NoLink, 0), 9);
  EXPECT_EQ(PullInteger(incoming, NoLink, 0), 0);
  EXPECT_EQ(incoming.Type(), dtNull);
  delete second;
}

TEST(PullRule, NonEmptyDefaultWinsAndConsumesNothing) {
  TData incoming = StringData("arrived");
  EXPECT_EQ(PullString(incoming, NoLink, "default"), "default");
  EXPECT_EQ(PullInteger(incoming, NoLink, 4), 4);
  EXPECT_EQ(incoming.StrValue, "arrived");
  EXPECT_EQ(PullString(incoming, NoLink, ""), "arrived");
  EXPECT_EQ(incoming.Type(), dtNull);
  TData null_default;
  incoming = IntegerData(1);
  EXPECT_EQ(PullValue(incoming, NoLink, &null_default).IntValue, 1);
}

TEST(PullRule, PointersOnlyFromTheirOwnType) {
  int dummy = 0;
  auto* stream = reinterpret_cast<TStream*>(&dummy);
  TData incoming = IntegerData(5);
  EXPECT_EQ(PullStream(incoming, NoLink, nullptr), nullptr);
  EXPECT_EQ(incoming.Type(), dtInteger);  // not consumed: wrong type
  SetStream(incoming, stream);
  EXPECT_EQ(PullBitmap(incoming, NoLink, nullptr), nullptr);
  EXPECT_EQ(PullStream(incoming, NoLink, nullptr), stream);
  EXPECT_EQ(incoming.Type(), dtNull);
}

TEST(PullRule, ChainPullTakesTheWholeIncomingValue) {
  TData incoming = Chain2(StringData("5"), StringData("6"));
  TData whole = PullChain(incoming, NoLink, nullptr);
  EXPECT_EQ(incoming.Type(), dtNull);
  ASSERT_NE(whole.Next, nullptr);
  EXPECT_EQ(whole.Next->StrValue, "6");
  FreeChain(whole);
  TData def = Chain2(IntegerData(1), IntegerData(2));
  TData copied = PullChain(incoming, NoLink, &def);
  ASSERT_NE(copied.Next, nullptr);
  EXPECT_NE(copied.Next, def.Next);
  FreeChain(copied);
  FreeChain(def);
}

TEST(PullRule, AskAndPass) {
  DispatchOn on;
  EXPECT_EQ(AskInteger(NoLink), 0);
  Source src;
  src.answer = StringData("12");
  EXPECT_EQ(AskInteger(Link<&Source::Get>(&src)), 12);
  TData relay;
  PassData(NoLink, relay);
  EXPECT_EQ(relay.Type(), dtBreak);
  PassData(Link<&Source::Get>(&src), relay);
  EXPECT_EQ(relay.StrValue, "12");
  TArrayInterface array;
  SetArray(src.answer, &array);
  EXPECT_EQ(PullArray(Link<&Source::Get>(&src)), &array);
  src.answer = IntegerData(1);
  EXPECT_EQ(PullArray(Link<&Source::Get>(&src)), nullptr);
}

TEST(Dispatch, OffReachesNobodyAndReadsNull) {
  Probe probe;
  Source src;
  src.answer = StringData("x");
  FireInteger(Link<&Probe::In>(&probe), 1);
  TData incoming;
  EXPECT_EQ(PullString(incoming, Link<&Source::Get>(&src), ""), "");
  EXPECT_TRUE(probe.values.empty());
  {
    DispatchOn on;
    FireInteger(Link<&Probe::In>(&probe, 7), 1);
  }
  FireInteger(Link<&Probe::In>(&probe), 2);
  ASSERT_EQ(probe.values.size(), 1u);
  EXPECT_EQ(probe.indexes[0], 7);
}

TEST(Dispatch, FireCopyLeavesTheStoredValueAlone) {
  DispatchOn on;
  struct Mutator {
    void In(TData& d, uint16_t) { SetString(d, "changed"); }
  } m;
  TData stored = StringData("kept");
  FireCopy(Link<&Mutator::In>(&m), stored);
  EXPECT_EQ(stored.StrValue, "kept");
  FireEvent(Link<&Mutator::In>(&m), stored);
  EXPECT_EQ(stored.StrValue, "changed");
}

// A forwarding receiver: its last action passes the value on.
struct Forwarder {
  TKesto_Event Out;
  const char* first_frame = nullptr;
  void In(TData& d, uint16_t) { ForwardAsIs(d, Out); }
};

struct DepthProbe {
  const char* frame = nullptr;
  TData got;
  void In(TData& d, uint16_t) {
    char here;
    frame = &here;
    got = d;
  }
};

TEST(Forwarding, NullArrivesWithTheFlagCleared) {
  DispatchOn on;
  Probe probe;
  struct NullForwarder {
    TKesto_Event Out;
    void In(TData& d, uint16_t) { ForwardNull(d, Out); }
  } f;
  f.Out = Link<&Probe::In>(&probe);
  FireString(Link<&NullForwarder::In>(&f), "x");
  ASSERT_EQ(probe.values.size(), 1u);
  EXPECT_EQ(probe.values[0].Kind, dtNull);
}

TEST(Forwarding, IntegerAndStringForwardsCutTheChain) {
  DispatchOn on;
  Probe probe;
  struct IntForwarder {
    TKesto_Event Out;
    bool as_string = false;
    void In(TData& d, uint16_t) {
      if (as_string)
        ForwardString(d, Out, "s");
      else
        ForwardInteger(d, Out, 5);
    }
  } f;
  f.Out = Link<&Probe::In>(&probe);
  TData value = Chain2(IntegerData(1), IntegerData(2));
  TData* second = value.Next;
  FireEvent(Link<&IntForwarder::In>(&f), value);
  f.as_string = true;
  FireEvent(Link<&IntForwarder::In>(&f), value);
  ASSERT_EQ(probe.values.size(), 2u);
  EXPECT_EQ(probe.values[0].Kind, dtInteger);
  EXPECT_EQ(probe.values[0].IntValue, 5);
  EXPECT_EQ(probe.values[0].Next, nullptr);
  EXPECT_EQ(probe.values[1].Kind, dtString);
  delete second;
}

TEST(Forwarding, ToAnUnlinkedPointEndsQuietly) {
  DispatchOn on;
  Forwarder f;
  TData value = IntegerData(3);
  FireEvent(Link<&Forwarder::In>(&f), value);
  EXPECT_EQ(value.Kind, dtInteger);
}

// Regression guard for the chain rule: 100 000 forwarding components must not
// deepen the stack, and an Integer must cross them without a heap allocation.
TEST(Forwarding, LongChainStaysFlat) {
  DispatchOn on;
  std::vector<Forwarder> chain(100000);
  DepthProbe end;
  for (size_t i = 0; i + 1 < chain.size(); ++i) chain[i].Out = Link<&Forwarder::In>(&chain[i + 1]);
  chain.back().Out = Link<&DepthProbe::In>(&end);
  DepthProbe near;
  TKesto_Event start = Link<&Forwarder::In>(&chain[0]);
  Forwarder single;
  single.Out = Link<&DepthProbe::In>(&near);
  FireInteger(Link<&Forwarder::In>(&single), 0);
  FireInteger(start, 42);
  EXPECT_EQ(end.got.IntValue, 42);
  EXPECT_EQ(end.got.Kind, dtInteger);
  EXPECT_EQ(end.frame, near.frame);  // same depth after 100 000 hops as after one
}

TEST(Startup, RunsInOrderOnceAndAcceptsLateEntries) {
  static std::vector<int> order;
  order.clear();
  struct Entry {
    int id;
    static void Run(void* self) {
      auto* e = static_cast<Entry*>(self);
      order.push_back(e->id);
      if (e->id == 1) AddToStartupList(&Entry::Run, e + 2);
    }
  } entries[3] = {{1}, {2}, {3}};
  StartupDone = false;
  AddToStartupList(&Entry::Run, &entries[0]);
  AddToStartupList(&Entry::Run, &entries[1]);
  RunStartupList();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(StartupDone);
  RunStartupList();
  EXPECT_EQ(order.size(), 3u);
  int a = NewClassNumber(), b = NewClassNumber();
  EXPECT_NE(a, 0);
  EXPECT_NE(a, b);
}

TEST(Paths, MacrosAndBareNames) {
  const std::string win = toolkit::WindowsFolder(), tmp = toolkit::TempFolder(),
                    sys = toolkit::SystemFolder(), program = toolkit::ProgramFolder();
  for (const std::string& folder : {win, tmp, sys, program}) EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(ExpandPathMacros("%windir%a%tmpdir%b%sysdir%"), win + "a" + tmp + "b" + sys);
  EXPECT_EQ(ExpandPathMacros("%WINDIR%x"), "%WINDIR%x");  // case-sensitive
  EXPECT_EQ(PullFileName("settings.ini"), program + "settings.ini");
  EXPECT_EQ(PullFileName("%tmpdir%x.ini"), tmp + "x.ini");
  EXPECT_EQ(PullFileName("sub\\x.ini"), "sub\\x.ini");  // relative folder kept
  EXPECT_EQ(PullFileName("d:x.ini"), "d:x.ini");
  EXPECT_EQ(PullFileName(""), program);
}

TEST(Paths, InsertedTextIsNotScannedAgain) {
  // "%windir%" expands to a text ending in "\"; "tmpdir%" after it must not
  // be taken for a macro.
  EXPECT_EQ(ExpandPathMacros("%windir%tmpdir%"), toolkit::WindowsFolder() + "tmpdir%");
}

#ifndef _WIN32  // under Wine the box is real; the form tests answer it
TEST(Debug, MessageBoxCaption) {
  toolkit::HostMessages.clear();
  DebugMessage("Self destruction is not allowed !!!");
  ASSERT_EQ(toolkit::HostMessages.size(), 1u);
  EXPECT_EQ(toolkit::HostMessages[0].caption, "String-Debug");
  EXPECT_EQ(toolkit::HostMessages[0].style, 0u);
}
#endif

}  // namespace
