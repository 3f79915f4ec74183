// The host and the boundary of nested schemas, with a nested schema made of
// test components.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/nested.h"
#include "runtime/startup.h"
#include "tests/core/probes.h"
#ifdef _WIN32
#include <windows.h>

#include "toolkit/cp1251_win.h"
#else
#include "toolkit/system_host.h"
#endif

namespace {

using Texts = std::vector<std::string>;

// Behind inner work 0: a caller that reads outer data 3, passes the value it
// got out through event 0, then edits it. Behind inner data 0: a fixed answer.
class ProbeSchema : public TClassMultiBase {
 public:
  static inline int built, started;
  static inline std::vector<int> freed;
  static inline Texts calls, reads;

  ProbeSchema(TKestoMultiElementEx* host, void* parent, void* owner)
      : TClassMultiBase(host, parent, owner), id_(built++) {
    Port->InnerWork[0] = Link<&ProbeSchema::Call>(this);
    Port->InnerData[0] = Link<&Source::Get>(&answer_);
    answer_.answer = StringData("inner answer");
    AddToStartupList([](void*) { ++started; }, nullptr);
  }
  ~ProbeSchema() override { freed.push_back(id_); }
  static TKestoEditMultiEx* Factory(TKestoMultiElementEx* host, void* parent, void* owner) {
    return (new ProbeSchema(host, parent, owner))->Port.get();
  }
  void Call(TData& data, uint16_t) {
    calls.push_back(ValueToString(data));
    reads.push_back(PullString(data, Link<&TKestoEditMultiEx::Data>(Port.get(), 3), "inner default"));
    FireEvent(Link<&TKestoEditMultiEx::Event>(Port.get(), 0), data);
    SetString(data, "edited inside");
  }

  std::unique_ptr<TKestoEditMultiEx> Port = std::make_unique<TKestoEditMultiEx>(Host, this, 1, 2);

 private:
  const int id_;
  Source answer_;
};

#ifdef _WIN32
// Under Wine the debug box is real and modal: a timer, run by the box's own
// message loop, reads and closes it.
Texts boxTexts;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", L"String-Debug");
  DWORD pid = 0;
  if (!box || !GetWindowThreadProcessId(box, &pid) || pid != GetCurrentProcessId()) return;
  wchar_t text[256] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 256);  // the box's message
  boxTexts.push_back(toolkit::Narrow(text));
  KillTimer(nullptr, timer);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}
#endif

// Runs `call` and returns the texts of the debug boxes it showed.
template <class Call>
Texts DebugBoxes(Call call) {
#ifdef _WIN32
  boxTexts.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 20, &AnswerBox);
  call();
  KillTimer(nullptr, timer);
  return boxTexts;
#else
  toolkit::HostMessages.clear();
  call();
  Texts texts;
  for (const auto& m : toolkit::HostMessages)
    if (m.caption == "String-Debug") texts.push_back(m.text);
  return texts;
#endif
}

struct NestedTest : ::testing::Test {
  void SetUp() override {
    ProbeSchema::built = ProbeSchema::started = 0;
    ProbeSchema::freed.clear();
    ProbeSchema::calls.clear();
    ProbeSchema::reads.clear();
  }
  void TearDown() override {
    host.reset();
    ClearStartupList();
    StartupDone = startupWas;
  }
  void Build(uint8_t mode, size_t events, size_t data) {
    host = std::make_unique<TKestoMultiElementEx>(nullptr);
    host->Mode = mode;
    host->OuterEvents.resize(events);
    host->OuterData.resize(data);
  }
  TData Work(TData value) {
    FireEvent(Link<&TKestoMultiElementEx::Work>(host.get(), 0), value);
    return value;
  }
  std::string Read(uint16_t index) {
    TData incoming;
    return PullString(incoming, Link<&TKestoMultiElementEx::Data>(host.get(), index), "outer default");
  }

  DispatchOn dispatch;
  const bool startupWas = StartupDone;
  std::unique_ptr<TKestoMultiElementEx> host;
};

TEST_F(NestedTest, ValuesCrossTheBoundaryAndUnsetLinksFallBack) {
  Build(0, 1, 4);
  Probe outside;
  Source floors;
  floors.answer = IntegerData(42);
  host->OuterEvents[0] = Link<&Probe::In>(&outside);
  host->OuterData[3] = Link<&Source::Get>(&floors);
  host->SetFactory(&ProbeSchema::Factory);
  // The caller's own value goes in, out through the event, and comes back edited.
  EXPECT_EQ(ValueToString(Work(StringData("go"))), "edited inside");
  ASSERT_EQ(outside.values.size(), 1u);
  EXPECT_EQ(ValueToString(outside.values[0]), "go");
  EXPECT_EQ(Read(0), "inner answer");
  // Unlinked, or past the end of the arrays: the reader's own default.
  EXPECT_EQ(Read(1), "outer default");
  EXPECT_EQ(Read(7), "outer default");
  host->OuterData[3] = NoLink;
  Work(StringData("go"));
  host->OuterData.resize(2);
  host->OuterEvents.clear();
  Work(StringData("go"));
  EXPECT_EQ(ProbeSchema::reads, (Texts{"42", "inner default", "inner default"}));
  EXPECT_EQ(outside.values.size(), 2u);
}

TEST_F(NestedTest, AnInstanceCallingOutCannotBeFreed) {
  Build(0, 1, 0);
  host->OuterEvents[0] = Link<&TKestoMultiElementEx::Free>(host.get(), 65535);
  host->SetFactory(&ProbeSchema::Factory);
  // The instance asks, through its event, to free instance 0: itself.
  EXPECT_EQ(DebugBoxes([&] { Work(IntegerData(0)); }), Texts{"Self destruction is not allowed !!!"});
  EXPECT_TRUE(ProbeSchema::freed.empty());
  EXPECT_EQ(ValueToString(Work(IntegerData(1))), "edited inside");  // still alive and wired
  TData self = IntegerData(0);
  host->Free(self, 65535);  // from outside it may go
  EXPECT_EQ(ProbeSchema::freed, std::vector<int>{0});
  EXPECT_EQ(host->Current(), nullptr);
  EXPECT_TRUE(host->Instances().empty());
}

// Mode 0: one standing instance per factory setting, started with everyone
// else and freed from the last down; another mode: a fresh instance per call.
TEST_F(NestedTest, InstanceLifetimes) {
  StartupDone = false;  // as while the main schema is being built
  Build(0, 0, 0);
  for (int i = 0; i < 3; ++i) host->SetFactory(&ProbeSchema::Factory);
  EXPECT_EQ(host->Current(), host->Instances()[2]);
  EXPECT_EQ(ProbeSchema::started, 0);
  RunStartupList();
  EXPECT_EQ(ProbeSchema::started, 3);
  TData index = IntegerData(3);
  host->Free(index, 0);  // no such instance
  index = StringData("0");
  host->Free(index, 0);  // link index 0 is an inner work link: it hears the index first
  EXPECT_EQ(ProbeSchema::calls, Texts{"0"});
  Build(1, 0, 0);
  EXPECT_EQ(ProbeSchema::freed, (std::vector<int>{0, 2, 1}));

  EXPECT_EQ(ValueToString(Work(StringData("a"))), "a");  // no factory yet: nothing to build
  EXPECT_EQ(Read(0), "outer default");
  host->SetFactory(&ProbeSchema::Factory);
  EXPECT_EQ(ValueToString(Work(StringData("a"))), "edited inside");
  EXPECT_EQ(Read(0), "inner answer");
  EXPECT_EQ(ProbeSchema::freed, (std::vector<int>{0, 2, 1, 3, 4}));
  EXPECT_EQ(ProbeSchema::started, 5);  // each ran its start-up at once
  EXPECT_TRUE(host->Instances().empty());
}

}  // namespace
