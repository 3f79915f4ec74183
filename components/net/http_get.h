// Fetches one resource by HTTP GET, into memory or into a file. By default
// the download runs on a worker thread of its own and every event is run on
// the window thread while the worker waits for its handlers.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/link.h"
#include "toolkit/thread_win.h"

// The properties and points; each download takes a copy of them.
struct THttpGetPoints {
  std::string Url;
  std::string FileName;  // empty: the body stays in memory
  bool Blocking = false;  // true: the download runs inside Download, events fire directly
  std::string Proxy, ProxyUser, ProxyPassword;  // the credentials answer a 407, once
  int32_t Length = 0;  // added to Position to form the end of the Range header

  TKesto_Event Completed;  // Stream (memory, at 0) or NULL (file): the whole body arrived
  TKesto_Event Progress;   // Integer: bytes received so far, after every read
  TKesto_Event Failed;     // Integer: the HTTP status, 0 when no response came
  TKesto_Event Ended;      // the last step of every download
  // Data points; the proxy points never take the call's value.
  TKesto_Event UrlSource, PositionSource, LengthSource, FileNameSource;
  TKesto_Event ProxySource, ProxyUserSource, ProxyPasswordSource;
};

class THttpRun;

class TKestoHTTP_Get : public THttpGetPoints {
 public:
  TKestoHTTP_Get() = default;
  // Stops a running download; nothing fires after.
  ~TKestoHTTP_Get();
  TKestoHTTP_Get(const TKestoHTTP_Get&) = delete;
  TKestoHTTP_Get& operator=(const TKestoHTTP_Get&) = delete;

  // Reads Proxy, Url, Position, Length, (ProxyUser, ProxyPassword after a
  // 407), FileName in this order. Refused while a download is going.
  void Download(TData& data, uint16_t index);
  bool Running() const;

 private:
  // Shared with the worker, which may outlive the component (see the destructor).
  std::shared_ptr<THttpRun> run_;
  toolkit::TWorkerThread worker_;
};
