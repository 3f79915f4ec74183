#include "components/net/http_get.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <new>

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/app_win.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/internet_win.h"
#include "toolkit/stream.h"

namespace {

const char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
// Always from the network; the client answers no authentication by itself.
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_AUTH;
constexpr uint32_t kChunk = 1025;
// A run's outcome besides the status that Failed reports.
constexpr int64_t kDelivered = -1;
constexpr int64_t kNotSaved = -2;

bool Success(uint32_t status) { return status >= 200 && status <= 299; }

std::string RangeHeader(int32_t position, int32_t length) {
  if (position == 0) return "";
  const auto end = static_cast<int32_t>(static_cast<uint32_t>(position) + static_cast<uint32_t>(length));
  return "Range: bytes=" + std::to_string(position) + "-" + std::to_string(end);
}

std::string Base64(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t group = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) group |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) group |= static_cast<uint8_t>(bytes[i + 2]);
    for (size_t k = 0; k < 4; ++k)
      out += i + k <= bytes.size() ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

// Where the body goes: a memory stream, or the target file, written from its
// start and cut after every write so that it never keeps the tail of an
// earlier, longer content. A file not kept is removed: a part of an archive
// is no archive, and an endless body must not stay behind filling the disk.
class Output {
 public:
  explicit Output(const std::string& fileName) : name_(toolkit::Widen(fileName)) {
    if (fileName.empty()) return;
    file_ = CreateFileW(name_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~Output() {
    if (!Open()) return;
    CloseHandle(file_);
    DeleteFileW(name_.c_str());
  }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  bool ToFile() const { return !name_.empty(); }
  bool Ready() const { return file_ != INVALID_HANDLE_VALUE; }
  TMemoryStream& Memory() { return memory_; }

  bool Write(const char* bytes, uint32_t count) {
    if (!ToFile()) return memory_.Write(bytes, count) == count;
    DWORD written = 0;
    return WriteFile(file_, bytes, count, &written, nullptr) && written == count && SetEndOfFile(file_);
  }

  void Keep() {
    if (Open()) CloseHandle(file_);
    file_ = nullptr;
  }

 private:
  bool Open() const { return ToFile() && file_ && Ready(); }

  const std::wstring name_;  // empty: memory
  HANDLE file_ = nullptr;
  TMemoryStream memory_;
};

// How long the destructor waits for a stopped worker. Closing the handles
// ends a blocked read on Windows; Wine's client keeps waiting for the server,
// so the worker is then left to end alone, with nothing but its own run.
constexpr DWORD kStopWaitMs = 2000;

}  // namespace

// One download. The worker holds it until it returns, so the component may go
// first; once stopped, a run fires nothing and pulls nothing more.
class THttpRun {
 public:
  THttpRun(const THttpGetPoints& points, const TData& value) : points_(points) {
    // The whole chain: a worker reads it after the caller's values are gone.
    CopyChain(chain_, value);
    chain_.ForwardLink = nullptr;
    value_ = chain_;
  }
  ~THttpRun() { FreeChain(chain_); }
  THttpRun(const THttpRun&) = delete;
  THttpRun& operator=(const THttpRun&) = delete;

  bool Running() const { return running_; }
  // Ended's handlers have returned: the worker has nothing left but to
  // close its handles.
  bool Over() const { return over_; }
  void Perform();
  void Stop() {
    stop_ = true;
    // Makes a read that is waiting for the server return (where the client allows).
    request_.Close();
    client_.Close();
  }

 private:
  static void RunHandedOver(void* self);
  int64_t Transfer();
  uint32_t Authenticate();
  int64_t Receive(uint32_t status);
  void Hand(const TKesto_Event& link, TData value);

  const THttpGetPoints points_;
  TData chain_;  // the call's values, owned
  TData value_;  // what the reads have not consumed yet
  std::string fileName_;  // the target, once read
  uint32_t total_ = 0;
  std::atomic<bool> running_{true};
  std::atomic<bool> over_{false};
  std::atomic<bool> stop_{false};
  toolkit::TInternetHandle client_, request_;
  const TKesto_Event* handed_link_ = nullptr;  // the event the window thread runs
  TData handed_value_;
};

TKestoHTTP_Get::~TKestoHTTP_Get() {
  if (!run_) return;
  run_->Stop();
  if (!worker_.Wait(kStopWaitMs)) worker_.Release();
}

bool TKestoHTTP_Get::Running() const { return run_ && run_->Running(); }

void TKestoHTTP_Get::Download(TData& data, uint16_t) {
  // A run whose Ended has been handled is over: its worker only closes its
  // own handles, which Wine's client drags out while a server whose body was
  // cut off goes on sending, and is left to end alone.
  if (Running() && !run_->Over()) {
    // Whoever waits for this download's end must hear of the refusal.
    FireInteger(Failed, 0);
    ForwardNull(data, Ended);
    return;
  }
  run_ = std::make_shared<THttpRun>(*this, data);
  if (Blocking) {
    run_->Perform();
    return;
  }
  auto* held = new std::shared_ptr<THttpRun>(run_);
  auto work = [](void* p) {
    auto* run = static_cast<std::shared_ptr<THttpRun>*>(p);
    (*run)->Perform();
    delete run;
  };
  if (worker_.Start(work, held)) return;
  delete held;
  run_.reset();
}

void THttpRun::Perform() {
  TData none;
  const std::string proxy = PullString(none, points_.ProxySource, points_.Proxy);
  client_.Reset(toolkit::OpenInternet(kAgent, proxy));
  int64_t outcome = 0;
  try {
    if (client_.Valid()) outcome = Transfer();
  } catch (const std::bad_alloc&) {
    // On the worker an escaping exception would end the whole process.
  }
  if (outcome == kNotSaved)
    Hand(points_.SaveFailed, StringData(fileName_));
  else if (outcome != kDelivered)
    Hand(points_.Failed, IntegerData(static_cast<int32_t>(outcome)));
  Hand(points_.Ended, TData());
  // Only now: closing a request whose body was cut off can take as long as
  // the server goes on sending, since Wine's client first reads the rest.
  request_.Close();
  client_.Close();
  running_ = false;
}

// The request and the body: kDelivered, or the status to report.
int64_t THttpRun::Transfer() {
  const std::string url = PullString(value_, points_.UrlSource, points_.Url);
  const int32_t position = PullInteger(value_, points_.PositionSource, 0);
  const int32_t length = PullInteger(value_, points_.LengthSource, points_.Length);
  request_.Reset(toolkit::OpenUrl(client_.Get(), url, RangeHeader(position, length), kOpenFlags));
  if (!request_.Valid() || stop_) return 0;
  uint32_t status = toolkit::StatusCode(request_.Get());
  if (status == 407) status = Authenticate();
  if (stop_) return 0;
  fileName_ = PullString(value_, points_.FileNameSource, points_.FileName);
  return Receive(status);
}

// Answers a proxy's demand once; a second 407 stands.
uint32_t THttpRun::Authenticate() {
  TData none;
  const std::string user = PullString(none, points_.ProxyUserSource, points_.ProxyUser);
  const std::string password = PullString(none, points_.ProxyPasswordSource, points_.ProxyPassword);
  if (user.empty() || password.empty()) return 407;
  char drain[kChunk];
  uint32_t n = 0;
  while (toolkit::ReadInternet(request_.Get(), drain, kChunk, n) && n > 0 && !stop_) {
  }
  toolkit::ResendRequest(request_.Get(),
                         "Proxy-Authorization: Basic " + Base64(user + ":" + password) + "\r\n");
  return toolkit::StatusCode(request_.Get());
}

int64_t THttpRun::Receive(uint32_t status) {
  // An error page is not the resource, nor is a body too long to take: they
  // must not replace the target file.
  if (!Success(status)) return status;
  const int64_t announced = toolkit::ContentLength(request_.Get());
  if (announced > points_.MaxSize) return status;
  Output out(fileName_);
  if (!out.Ready()) return kNotSaved;
  char buffer[kChunk];
  total_ = 0;
  for (;;) {
    std::memset(buffer, 0, sizeof buffer);
    uint32_t n = 0;
    const bool read = toolkit::ReadInternet(request_.Get(), buffer, kChunk, n);
    if (n > points_.MaxSize - total_) return status;  // an endless body ends here
    if (!out.Write(buffer, n)) return out.ToFile() ? kNotSaved : status;
    total_ += n;
    Hand(points_.Progress, IntegerData(static_cast<int32_t>(total_)));
    if (!read || stop_) return status;
    if (n == 0) break;
  }
  if (announced >= 0 && total_ < announced) return status;  // the connection was cut
  request_.Close();
  if (out.ToFile()) {
    out.Keep();
    Hand(points_.Completed, TData());
    return kDelivered;
  }
  out.Memory().SetPosition(0);
  TData body;
  SetStream(body, &out.Memory());
  Hand(points_.Completed, body);
  return kDelivered;
}

// Blocking: at once. Otherwise on the window thread, the worker waiting;
// once stopped nothing is handed over any more.
void THttpRun::Hand(const TKesto_Event& link, TData value) {
  // Nobody listens on an unlinked point: handing it over would only cost a
  // round trip to the window thread for every chunk read.
  if (!link.Linked()) return;
  if (points_.Blocking) {
    FireEvent(link, value);
    return;
  }
  if (stop_) return;
  handed_link_ = &link;
  handed_value_ = value;
  toolkit::TSyncCall call{&THttpRun::RunHandedOver, this};
  toolkit::SyncCall(call);
}

// On the window thread. The component's destructor may be waiting for the
// worker here: then the event is dropped.
void THttpRun::RunHandedOver(void* self) {
  auto* run = static_cast<THttpRun*>(self);
  if (run->stop_) return;
  FireEvent(*run->handed_link_, run->handed_value_);
  if (run->handed_link_ == &run->points_.Ended) run->over_ = true;
}
