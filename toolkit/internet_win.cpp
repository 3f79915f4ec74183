#include "toolkit/internet_win.h"

#include "toolkit/cp1251_win.h"

namespace toolkit {

void TInternetHandle::Reset(HINTERNET handle) {
  Close();
  handle_ = handle;
}

void TInternetHandle::Close() {
  HINTERNET handle = handle_.exchange(nullptr);
  if (handle) InternetCloseHandle(handle);
}

HINTERNET OpenInternet(const std::string& agent, const std::string& proxy) {
  if (proxy.empty())
    return InternetOpenW(Widen(agent).c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  return InternetOpenW(Widen(agent).c_str(), INTERNET_OPEN_TYPE_PROXY, Widen(proxy).c_str(), nullptr, 0);
}

HINTERNET OpenUrl(HINTERNET client, const std::string& url, const std::string& headers, DWORD flags) {
  const std::wstring extra = Widen(headers);
  return InternetOpenUrlW(client, Widen(url).c_str(), extra.c_str(), static_cast<DWORD>(-1), flags, 0);
}

bool ResendRequest(HINTERNET request, const std::string& headers) {
  const std::wstring extra = Widen(headers);
  return HttpSendRequestW(request, extra.c_str(), static_cast<DWORD>(-1), nullptr, 0) != FALSE;
}

static bool QueryNumber(HINTERNET request, DWORD what, DWORD& number) {
  DWORD size = sizeof number;
  return HttpQueryInfoW(request, what | HTTP_QUERY_FLAG_NUMBER, &number, &size, nullptr) != FALSE;
}

uint32_t StatusCode(HINTERNET request) {
  DWORD status = 0;
  return QueryNumber(request, HTTP_QUERY_STATUS_CODE, status) ? status : 0;
}

int64_t ContentLength(HINTERNET request) {
  DWORD length = 0;
  return QueryNumber(request, HTTP_QUERY_CONTENT_LENGTH, length) ? static_cast<int64_t>(length) : -1;
}

bool ReadInternet(HINTERNET request, void* buffer, uint32_t size, uint32_t& read) {
  DWORD n = 0;
  const bool ok = InternetReadFile(request, buffer, size, &n) != FALSE;
  read = ok ? n : 0;
  return ok;
}

}  // namespace toolkit
