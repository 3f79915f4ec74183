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

#include <atomic>
#include <mutex>
#include <thread>

#include "toolkit/cp1251_win.h"
#else
#include "toolkit/system_host.h"
#endif

namespace {

using std::string;

// Behind inner work 0: a caller that reads outer data 3, passes the value it
// got out through event 0 and then edits it. Behind inner data 0: a fixed
// answer. Counts its lives in statics.
class ProbeSchema : public TClassMultiBase {
 public:
  static int built, started;
  static std::vector<int> freed;
  static std::vector<string> calls, reads;

  ProbeSchema(TKestoMultiElementEx* host, void* parent, void* owner)
      : TClassMultiBase(host, parent, owner), id_(built++) {
    Port = std::make_unique<TKestoEditMultiEx>(host, this, 1, 2);
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

  std::unique_ptr<TKestoEditMultiEx> Port;

 private:
  const int id_;
  Source answer_;
};
int ProbeSchema::built, ProbeSchema::started;
std::vector<int> ProbeSchema::freed;
std::vector<string> ProbeSchema::calls, ProbeSchema::reads;

// The texts of the "String-Debug" boxes shown while it lives. Under Wine the
// box is real and modal, so a helper thread reads and closes it.
class DebugBoxes {
 public:
#ifdef _WIN32
  DebugBoxes() : watcher_([this] { Watch(); }) {}
  ~DebugBoxes() {
    stop_ = true;
    watcher_.join();
  }
  std::vector<string> Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void Watch() {
    while (!stop_) {
      HWND box = nullptr;
      while ((box = FindWindowExW(nullptr, box, L"#32770", L"String-Debug"))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(box) || box == answered_) continue;
        wchar_t text[256] = L"";
        GetDlgItemTextW(box, 0xFFFF, text, 256);  // the box's message text
        {
          std::lock_guard<std::mutex> lock(mutex_);
          texts_.push_back(toolkit::Narrow(text));
        }
        answered_ = box;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      Sleep(10);
    }
  }
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<string> texts_;
  HWND answered_ = nullptr;
  std::thread watcher_;
#else
  DebugBoxes() { toolkit::HostMessages.clear(); }
  std::vector<string> Texts() {
    std::vector<string> texts;
    for (const auto& m : toolkit::HostMessages)
      if (m.caption == "String-Debug") texts.push_back(m.text);
    return texts;
  }
#endif
};

struct NestedTest : ::testing::Test {
  void SetUp() override {
    ProbeSchema::built = ProbeSchema::started = 0;
    ProbeSchema::freed.clear();
    ProbeSchema::calls.clear();
    ProbeSchema::reads.clear();
    startupWas = StartupDone;
  }
  void TearDown() override {
    host.reset();
    ClearStartupList();
    StartupDone = startupWas;
  }
  // A host of the probe schema with `events` outer events and `data` outer data links.
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
  string Read(uint16_t index) {
    TData incoming;
    return PullString(incoming, Link<&TKestoMultiElementEx::Data>(host.get(), index), "outer default");
  }

  DispatchOn dispatch;
  bool startupWas = false;
  std::unique_ptr<TKestoMultiElementEx> host;
};

TEST_F(NestedTest, ValuesCrossTheBoundaryBothWays) {
  Build(0, 1, 4);
  Probe outside;
  Source floors;
  floors.answer = IntegerData(42);
  host->OuterEvents[0] = Link<&Probe::In>(&outside);
  host->OuterData[3] = Link<&Source::Get>(&floors);
  host->SetFactory(&ProbeSchema::Factory);

  // The caller's own value goes in, out through the event, and comes back edited.
  EXPECT_EQ(ValueToString(Work(StringData("go"))), "edited inside");
  EXPECT_EQ(ProbeSchema::calls, std::vector<string>{"go"});
  EXPECT_EQ(ProbeSchema::reads, std::vector<string>{"42"});
  ASSERT_EQ(outside.values.size(), 1u);
  EXPECT_EQ(ValueToString(outside.values[0]), "go");
  EXPECT_EQ(Read(0), "inner answer");
}

TEST_F(NestedTest, UnsetOrMissingLinksMakeReadersFallBack) {
  Build(0, 0, 4);  // outer data 3 exists but is not linked; no outer event at all
  host->SetFactory(&ProbeSchema::Factory);
  Work(StringData("go"));
  host->OuterData.resize(2);  // now outer data 3 is past the end
  Work(StringData("go"));
  EXPECT_EQ(ProbeSchema::reads, (std::vector<string>{"inner default", "inner default"}));
  EXPECT_EQ(Read(1), "outer default");  // inner data 1 is not linked
  EXPECT_EQ(Read(7), "outer default");  // past the inner data links
}

TEST_F(NestedTest, AnInstanceCallingOutCannotBeFreed) {
  Build(0, 1, 0);
  host->OuterEvents[0] = Link<&TKestoMultiElementEx::Free>(host.get(), 65535);
  host->SetFactory(&ProbeSchema::Factory);
  {
    DebugBoxes boxes;
    Work(IntegerData(0));  // the instance asks, through its event, to free itself
    EXPECT_EQ(boxes.Texts(), std::vector<string>{"Self destruction is not allowed !!!"});
  }
  EXPECT_TRUE(ProbeSchema::freed.empty());
  EXPECT_NE(host->Current(), nullptr);
  Work(IntegerData(1));  // still alive and wired: index 1 names no instance
  EXPECT_EQ(ProbeSchema::calls.size(), 2u);

  TData index = IntegerData(0);
  host->Free(index, 65535);  // from outside it may go
  EXPECT_EQ(ProbeSchema::freed, std::vector<int>{0});
  EXPECT_EQ(host->Current(), nullptr);
  EXPECT_TRUE(host->Instances().empty());
}

TEST_F(NestedTest, StandingInstanceWaitsForStartUpPerCallInstancesDoNot) {
  StartupDone = false;  // as while the main schema is being built
  Build(0, 0, 0);
  host->SetFactory(&ProbeSchema::Factory);
  EXPECT_EQ(ProbeSchema::started, 0);
  RunStartupList();
  EXPECT_EQ(ProbeSchema::started, 1);

  Build(1, 0, 0);  // frees the standing instance
  host->SetFactory(&ProbeSchema::Factory);
  EXPECT_EQ(ProbeSchema::built, 1);
  EXPECT_EQ(ValueToString(Work(StringData("a"))), "edited inside");
  EXPECT_EQ(Read(0), "inner answer");
  EXPECT_EQ(ProbeSchema::built, 3);
  EXPECT_EQ(ProbeSchema::freed, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(ProbeSchema::started, 3);  // each ran its start-up at once
  EXPECT_TRUE(StartupDone);
  EXPECT_TRUE(host->Instances().empty());
}

TEST_F(NestedTest, FreeingFiresTheFarewellLinkAndHostGoesFromTheLastDown) {
  Build(0, 0, 0);
  for (int i = 0; i < 3; ++i) host->SetFactory(&ProbeSchema::Factory);
  ASSERT_EQ(host->Instances().size(), 3u);
  EXPECT_EQ(host->Current(), host->Instances()[2]);
  for (int32_t outside : {3, -1}) {
    TData index = IntegerData(outside);
    host->Free(index, 0);
  }
  EXPECT_TRUE(ProbeSchema::freed.empty());
  TData index = StringData("0");
  host->Free(index, 0);  // link index 0 is an inner work link: it hears the index first
  EXPECT_EQ(ProbeSchema::calls, std::vector<string>{"0"});
  host.reset();
  EXPECT_EQ(ProbeSchema::freed, (std::vector<int>{0, 2, 1}));
}

}  // namespace
