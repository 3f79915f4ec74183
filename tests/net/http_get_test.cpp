// The HTTP download against a local server that this program starts.
#include <gtest/gtest.h>

#include <memory>

#include "components/net/http_get.h"
#include "tests/files/files_test.h"
#include "toolkit/app_win.h"
#include "toolkit/stream.h"

namespace {

std::string Pattern(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i % 256);
  return s;
}

void Pump(DWORD ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

// Starts the server once; it writes its port into a file and stops on /quit.
struct ServerEnvironment : ::testing::Environment {
  static inline int port = 0;
  const std::string port_file = "/tmp/ostrel-net-" + std::to_string(GetCurrentProcessId()) + ".port";
  std::wstring PortFile() const { return L"Z:" + toolkit::Widen(port_file); }

  void SetUp() override {
    toolkit::EnsureApplicationWindow();
    std::wstring command = L"/usr/bin/python3 " + toolkit::Widen(OSTREL_TEST_SERVER " " + port_file);
    ASSERT_TRUE(RunUnix(L"C:\\", command, PortFile(), true)) << "the test server did not start";
    std::string text;
    toolkit::ReadFileBytes("Z:" + port_file, text);
    port = std::stoi(text);
  }
  void TearDown() override {
    DispatchOn on;
    TKestoHTTP_Get quit;
    quit.Blocking = true;
    quit.Url = "http://127.0.0.1:" + std::to_string(port) + "/quit";
    TData none;
    quit.Download(none, 0);
    DeleteFileW(PortFile().c_str());
  }
};
const auto* const kServer = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

std::string Address(const std::string& path) {
  if (path.empty() || path.rfind("http", 0) == 0) return path;
  return "http://127.0.0.1:" + std::to_string(ServerEnvironment::port) + path;
}

// Every event in order; Progress apart, the body as it was during Completed.
struct Recorder {
  std::string events, progress, body;
  int ended = 0;
  void Completed(TData& d, uint16_t) {
    events += d.Type() == dtStream ? "body|" : "file|";
    if (d.Type() == dtStream) body = toolkit::ReadAllBytes(*static_cast<TStream*>(d.Pointer));
  }
  void Progress(TData& d, uint16_t) { progress += std::to_string(d.IntValue) + " "; }
  void Failed(TData& d, uint16_t) { events += "failed " + std::to_string(d.IntValue) + "|"; }
  void SaveFailed(TData&, uint16_t) { events += "save failed|"; }
  void Ended(TData&, uint16_t) { events += "ended", ++ended; }
};

struct HttpTest : ::testing::Test {
  DispatchOn on;
  std::unique_ptr<TKestoHTTP_Get> http = std::make_unique<TKestoHTTP_Get>();
  Recorder got;
  void SetUp() override { Wire(); }
  void Wire() {
    http->Completed = Link<&Recorder::Completed>(&got);
    http->Progress = Link<&Recorder::Progress>(&got);
    http->Failed = Link<&Recorder::Failed>(&got);
    http->SaveFailed = Link<&Recorder::SaveFailed>(&got);
    http->Ended = Link<&Recorder::Ended>(&got);
  }
  void Start(TData in = TData()) { FireEvent(Link<&TKestoHTTP_Get::Download>(http.get()), in); }
  void Run(TData in = TData()) {
    got = Recorder();
    Start(in);
    for (int i = 0; i < 500 && !got.ended; ++i) Pump(20);
  }
};

TEST_F(HttpTest, OutcomesInMemory) {
  const struct {
    const char* path;
    int32_t position, length;
    const char* events;
    std::string body;
    uint32_t cap = INT32_MAX;
  } cases[] = {
      {"/range", 0, 50, "body|ended", "none"},  // no Range header at all
      {"/range", 100, 0, "body|ended", "bytes=100-100"},
      {"/range", 100, 50, "body|ended", "bytes=100-150"},
      {"/status/404", 0, 0, "failed 404|ended", ""},
      {"/status/500", 0, 0, "failed 500|ended", ""},
      {"/truncated", 0, 0, "failed 200|ended", ""},
      {"", 0, 0, "failed 0|ended", ""},
      {"http://127.0.0.1:1/refused", 0, 0, "failed 0|ended", ""},
      {"/chunked/3000", 0, 0, "body|ended", Pattern(3000)},  // no length announced is no cut
      {"/chunked/endless", 0, 0, "failed 200|ended", "", 4 << 10},  // the version's cap
      {"/chunked/endless", 0, 0, "failed 200|ended", "", 256 << 10},  // the news' cap
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    http->Url = Address(c.path);
    http->Length = c.length;
    http->MaxSize = c.cap;
    TData position = IntegerData(c.position);
    Run(c.position ? position : TData());
    EXPECT_EQ(got.events, c.events);
    EXPECT_EQ(got.body, c.body);
  }
}

TEST_F(HttpTest, CallValueSuppliesUrlPositionLengthInThatOrder) {
  TData url = StringData(Address("/range")), position = IntegerData(100), length = IntegerData(50);
  url.Next = &position, position.Next = &length;
  Run(url);
  EXPECT_EQ(got.body, "bytes=100-150");
  http->Url = Address("/range");  // a set property leaves the value to Position
  Run(IntegerData(7));
  EXPECT_EQ(got.body, "bytes=7-7");
}

TEST_F(HttpTest, ProgressAfterEveryReadAndOnceMoreAtTheEnd) {
  http->Url = Address("/bytes/2500");
  Run();
  EXPECT_EQ(got.progress, "1025 2050 2500 2500 ");
  EXPECT_TRUE(got.body == Pattern(2500));
  http->Url = Address("/bytes/0");
  http->Blocking = true;  // events fire inside the call
  got = Recorder();
  Start();
  EXPECT_EQ(got.events + "/" + got.progress, "body|ended/0 ");
}

TEST_F(HttpTest, FileOutput) {
  Scratch dir("загрузка");
  dir.Folder("папка.zip");  // no file can be made there
  const struct {
    const char* path;
    const char* file;
    const char* events;
    std::string content;
    uint32_t cap = INT32_MAX;
  } cases[] = {
      {"/bytes/2500", "a.zip", "file|ended", Pattern(2500)},  // the longer old content is cut
      {"/bytes/0", "a.zip", "file|ended", ""},
      {"/status/404", "a.zip", "failed 404|ended", std::string(5000, 'x')},  // left alone
      {"/bytes/10", "нет\\a.zip", "save failed|ended", ""},
      {"/bytes/10", "папка.zip", "save failed|ended", ""},
      {"/chunked/endless", "a.zip", "failed 200|ended", "", 64 << 10},  // the archive's, scaled down: removed
      {"/bytes/4097", "a.zip", "failed 200|ended", std::string(5000, 'x'), 4096},  // announced too long: not begun
      {"/bytes/4096", "a.zip", "file|ended", Pattern(4096), 4096},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    dir.File("a.zip", std::string(5000, 'x'));
    http->Url = Address(c.path);
    http->FileName = dir.root + c.file;
    http->MaxSize = c.cap;
    Run();
    EXPECT_EQ(got.events, c.events);
    std::string content;
    toolkit::ReadFileBytes(http->FileName, content);
    EXPECT_TRUE(content == c.content) << content.size();
  }
}

TEST_F(HttpTest, ProxyDemandIsAnsweredOnceWithBothCredentials) {
  const struct {
    const char *user, *password, *events;
  } cases[] = {
      {"", "", "failed 407|ended"},
      {"ostrel", "", "failed 407|ended"},
      {"ostrel", "secret", "body|ended"},
      {"ostrel", "wrong", "failed 407|ended"},
  };
  http->Url = "http://ostrel.invalid/thing";  // never resolved: only the proxy sees it
  http->Proxy = "127.0.0.1:" + std::to_string(ServerEnvironment::port);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.user) + ":" + c.password);
    http->ProxyUser = c.user, http->ProxyPassword = c.password;
    Run();
    EXPECT_EQ(got.events, c.events);
  }
  EXPECT_EQ(got.body, "");
  http->ProxyPassword = "secret";
  Run();
  EXPECT_EQ(got.body, "via proxy /thing");
}

TEST_F(HttpTest, SecondDownloadDuringARunIsRefusedAloud) {
  http->Url = Address("/slow/20");
  Start();
  EXPECT_TRUE(http->Running());
  Run();  // refused at once; the first run goes on
  EXPECT_EQ(got.events, "failed 0|ended");
  for (int i = 0; i < 500 && got.ended < 2; ++i) Pump(20);
  Pump(200);
  EXPECT_EQ(got.events, "failed 0|endedbody|ended");
  EXPECT_TRUE(got.body == Pattern(1025 * 20));
  EXPECT_FALSE(http->Running());
  Run();
  EXPECT_EQ(got.events, "body|ended");
}

TEST_F(HttpTest, DestroyingStopsTheRunAndNothingFiresAfter) {
  for (const char* path : {"/slow/1000", "/stall"}) {
    SCOPED_TRACE(path);
    http = std::make_unique<TKestoHTTP_Get>();
    Wire();
    got = Recorder();
    http->Url = Address(path);
    Start();
    for (int i = 0; i < 50 && got.progress.empty(); ++i) Pump(20);
    const std::string seen = got.events + got.progress;
    const DWORD start = GetTickCount();
    http.reset();
    EXPECT_LT(GetTickCount() - start, 10000u);  // the stall lasts 30 s
    Pump(200);
    EXPECT_EQ(got.events + got.progress, seen);
    EXPECT_EQ(got.ended, 0);
  }
}

}  // namespace
