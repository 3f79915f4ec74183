#include "toolkit/cp1251_win.h"

#include <windows.h>

namespace toolkit {

static constexpr UINT kCodePage = 1251;

std::wstring WidenFrom(unsigned codePage, const std::string& s) {
  if (s.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string NarrowTo(unsigned codePage, const wchar_t* w, int length) {
  if (length <= 0) return std::string();
  int n = WideCharToMultiByte(codePage, 0, w, length, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, w, length, s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring Widen(const std::string& s) { return WidenFrom(kCodePage, s); }

std::string Narrow(const std::wstring& w) {
  return NarrowTo(kCodePage, w.data(), static_cast<int>(w.size()));
}

}  // namespace toolkit
