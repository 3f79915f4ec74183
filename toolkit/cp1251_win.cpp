#include "toolkit/cp1251_win.h"

#include <windows.h>

#include <vector>

#include "toolkit/short_names_win.h"

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

bool NarrowExactly(const std::wstring& w, std::string& s) {
  s.clear();
  if (w.empty()) return true;
  const int length = static_cast<int>(w.size());
  BOOL lacking = FALSE;
  int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, w.data(), length, nullptr, 0, nullptr, &lacking);
  if (n <= 0 || lacking) return false;
  s.resize(static_cast<size_t>(n));
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, w.data(), length, s.data(), n, nullptr, nullptr);
  return true;
}

static std::vector<std::wstring> Parts(const std::wstring& path) {
  std::vector<std::wstring> parts;
  for (size_t from = 0;;) {
    const size_t to = path.find(L'\\', from);
    parts.push_back(path.substr(from, to - from));
    if (to == std::wstring::npos) return parts;
    from = to + 1;
  }
}

// Only the parts that need it are shortened, so that the user still knows
// the path where it is shown ("C:\Users\JOSE~1\Ostrel\" rather than
// "C:\Users\JOSE~1\OSTREL~1\").
bool NarrowPath(const std::wstring& path, std::string& s) {
  if (NarrowExactly(path, s)) return true;
  const std::wstring brief = ShortPath(path);
  if (brief.empty()) return false;
  const std::vector<std::wstring> longParts = Parts(path), shortParts = Parts(brief);
  if (longParts.size() != shortParts.size()) return NarrowExactly(brief, s);
  std::wstring mixed;
  for (size_t i = 0; i < longParts.size(); ++i) {
    std::string unused;
    mixed += NarrowExactly(longParts[i], unused) ? longParts[i] : shortParts[i];
    if (i + 1 < longParts.size()) mixed += L'\\';
  }
  return NarrowExactly(mixed, s);
}

}  // namespace toolkit
