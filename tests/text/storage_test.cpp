#include <gtest/gtest.h>

#include "components/text/storage.h"
#include "tests/text/helpers.h"

namespace {

using namespace text_test;

TEST(Memory, ResetAnnouncesTheDefaultWhateverArrives) {
  DispatchOn on;
  TKestoMemory memory(StringData("Done"));
  Probe changed;
  memory.Changed = To(changed);
  Fire<&TKestoMemory::Reset>(memory, IntegerData(5));
  EXPECT_EQ(Strings(changed), Texts{"Done"});
  TData v;
  memory.Value(v, 0);
  EXPECT_EQ(v.StrValue, "Done");
}

// Reads a data point the way a component with a default would.
struct Reader {
  TKesto_Event Source;
  TData Read(TData incoming, const TData* def) { return PullValue(incoming, Source, def); }
};

TEST(GetIndexData, RelaysTheSelectedSourceOrBreaksOrNull) {
  DispatchOn on;
  TKestoGetIndexData select(2);
  Source first;
  first.answer = StringData("first");
  select.ItemSources[0] = From(first);
  Probe selected;
  select.Selected = To(selected);
  Reader reader{Link<&TKestoGetIndexData::Value>(&select)};
  const TData def = StringData("fallback");

  EXPECT_EQ(reader.Read(TData(), &def).Type(), dtNull);  // nothing chosen yet
  Fire<&TKestoGetIndexData::Index>(select, IntegerData(0));
  EXPECT_EQ(reader.Read(TData(), &def).StrValue, "first");
  Fire<&TKestoGetIndexData::Index>(select, StringData("1"));  // unlinked source
  EXPECT_EQ(reader.Read(TData(), &def).StrValue, "fallback");
  EXPECT_EQ(reader.Read(IntegerData(4), nullptr).IntValue, 4);
  for (int32_t n : {5, -1}) {
    Fire<&TKestoGetIndexData::Index>(select, IntegerData(n));
    EXPECT_EQ(select.Selection(), -1);
    EXPECT_EQ(reader.Read(TData(), &def).Type(), dtNull);
  }
  ASSERT_EQ(selected.values.size(), 4u);
  EXPECT_EQ(selected.values[2].IntValue, 5);
  EXPECT_EQ(selected.values[3].IntValue, -1);
}

TEST(DoData, SendsTheFixedOrPulledValueNeverTheIncoming) {
  DispatchOn on;
  TKestoDoData fixed;
  fixed.Data = IntegerData(0);
  TKestoDoData empty;
  Probe result;
  fixed.Result = empty.Result = To(result);
  Fire<&TKestoDoData::Do>(fixed, StringData("x"));
  Fire<&TKestoDoData::Do>(empty, StringData("x"));
  Source source;
  source.answer = StringData("pulled");
  empty.DataSource = From(source);
  Fire<&TKestoDoData::Do>(empty, StringData("x"));
  ASSERT_EQ(result.values.size(), 3u);
  EXPECT_EQ(result.values[0].Type(), dtInteger);
  EXPECT_EQ(result.values[0].IntValue, 0);
  EXPECT_EQ(result.values[1].Type(), dtNull);
  EXPECT_EQ(result.values[2].StrValue, "pulled");
}

TEST(EventFromData, CapturesADeepCopyOfTheChain) {
  DispatchOn on;
  auto keeper = std::make_unique<TKestoEventFromData>();
  {
    Chain chain{StringData("5"), StringData("6")};
    TData rest = Fire<&TKestoEventFromData::Capture>(*keeper, chain.Head());
    EXPECT_EQ(rest.Type(), dtNull);  // the whole chain was taken
  }
  ASSERT_NE(keeper->Captured().Next, nullptr);
  EXPECT_EQ(keeper->Captured().Next->StrValue, "6");
  Probe requests;
  keeper->Request = To(requests);
  Reader reader{Link<&TKestoEventFromData::Value>(keeper.get())};
  TData v = reader.Read(TData(), nullptr);
  EXPECT_EQ(v.StrValue, "5");
  EXPECT_EQ(v.Next, nullptr);
  EXPECT_EQ(requests.values.size(), 1u);

  Fire<&TKestoEventFromData::Capture>(*keeper, IntegerData(1));
  EXPECT_EQ(reader.Read(TData(), nullptr).IntValue, 1);
  EXPECT_EQ(keeper->Captured().Next, nullptr);

  // Capturing from its own value point must not read freed memory.
  Fire<&TKestoEventFromData::Capture>(*keeper, Chain{StringData("a"), StringData("b")}.Head());
  keeper->DataSource = Link<&TKestoEventFromData::Value>(keeper.get());
  Fire<&TKestoEventFromData::Capture>(*keeper);
  EXPECT_EQ(keeper->Captured().StrValue, "a");
  keeper.reset();  // frees the kept chain (checked by the leak sanitizer)
}

// Takes the value it receives apart, as a consuming reader would.
struct Consumer {
  std::vector<int32_t> seen;
  void In(TData& d, uint16_t) {
    seen.push_back(PullInteger(d, NoLink, 0));
    SetString(d, "changed");
  }
};

TEST(Hub, EveryOutputGetsTheValueAsItArrivedInOrder) {
  DispatchOn on;
  TKestoHub hub(3);
  Consumer first;
  Probe later;
  hub.Out[0] = Link<&Consumer::In>(&first);
  hub.Out[2] = To(later);  // Out1 stays unlinked
  TData left = Fire<&TKestoHub::In>(hub, IntegerData(7));
  EXPECT_EQ(first.seen, std::vector<int32_t>{7});
  ASSERT_EQ(later.values.size(), 1u);
  EXPECT_EQ(later.values[0].IntValue, 7);
  EXPECT_EQ(left.IntValue, 7);

  // Each output runs to completion, nested hubs included, before the next.
  TKestoHub outer(2), inner(2);
  Probe log;
  outer.Out[0] = Link<&TKestoHub::In>(&inner);
  outer.Out[1] = Link<&Probe::In>(&log, 3);
  inner.Out[0] = Link<&Probe::In>(&log, 1);
  inner.Out[1] = Link<&Probe::In>(&log, 2);
  Fire<&TKestoHub::In>(outer, IntegerData(1));
  EXPECT_EQ(log.indexes, (std::vector<uint16_t>{1, 2, 3}));
}

}  // namespace
