// The platform's internet client for the HTTP download: handles that close
// themselves, and the few calls a download makes. Texts are cp1251 bytes.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cstdint>
#include <string>

namespace toolkit {

// May be closed from another thread while a call on it is blocked (which
// makes that call return); whichever side takes the handle first closes it.
class TInternetHandle {
 public:
  TInternetHandle() = default;
  ~TInternetHandle() { Close(); }
  TInternetHandle(const TInternetHandle&) = delete;
  TInternetHandle& operator=(const TInternetHandle&) = delete;

  HINTERNET Get() const { return handle_; }
  bool Valid() const { return handle_ != nullptr; }
  void Reset(HINTERNET handle);
  void Close();

 private:
  std::atomic<HINTERNET> handle_{nullptr};
};

// Pre-configured access, or an explicit proxy (no bypass list) for every
// request of the client; null on failure. (Given here rather than set on the
// open client, which Wine's client ignores.)
HINTERNET OpenInternet(const std::string& agent, const std::string& proxy);
// headers: empty or lines the client sends with the request; null on failure.
HINTERNET OpenUrl(HINTERNET client, const std::string& url, const std::string& headers, DWORD flags);
// Sends the request again with the extra headers.
bool ResendRequest(HINTERNET request, const std::string& headers);
// The response's status, 0 when there is none.
uint32_t StatusCode(HINTERNET request);
// The announced body length, -1 when none was announced.
int64_t ContentLength(HINTERNET request);
// Reads up to size bytes; read is 0 at the end of the body.
bool ReadInternet(HINTERNET request, void* buffer, uint32_t size, uint32_t& read);

}  // namespace toolkit
