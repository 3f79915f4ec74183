// Fetches one resource by HTTP GET, into memory or into a file. By default
// the download runs on a worker thread of its own and every event is run on
// the window thread while the worker waits for its handlers.
//
// Every download ends with Ended, after exactly one of Completed, Failed and
// SaveFailed: Failed is the server's side (no answer, an error status, a
// body cut short or longer than MaxSize, no memory for it), SaveFailed the
// local one (the target file cannot be created or written), so that a full
// disk or a folder without write access is not taken for a network fault.
// A file download that does not complete removes the target file it began.
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
  // The largest body accepted, in bytes: one announced longer is refused
  // before anything is written, one that runs past it is cut off there. At
  // most what Progress can count.
  uint32_t MaxSize = INT32_MAX;

  TKesto_Event Completed;  // Stream (memory, at 0) or NULL (file): the whole body arrived
  TKesto_Event Progress;   // Integer: bytes received so far, after every read
  TKesto_Event Failed;     // Integer: the HTTP status, 0 when no response came
  TKesto_Event SaveFailed; // String: the target file, which could not be written
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
  // 407), FileName in this order. Refused while a download is going: the
  // refusal fires Failed with 0, then Ended, and the running one goes on.
  void Download(TData& data, uint16_t index);
  bool Running() const;

 private:
  // Shared with the worker, which may outlive the component (see the destructor).
  std::shared_ptr<THttpRun> run_;
  toolkit::TWorkerThread worker_;
};
