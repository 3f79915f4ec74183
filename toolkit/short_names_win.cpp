#include "toolkit/short_names_win.h"

namespace toolkit {

std::wstring ShortPath(const std::wstring& path) {
  DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return std::wstring();
  std::wstring brief(n, L'\0');
  n = GetShortPathNameW(path.c_str(), brief.data(), n);
  brief.resize(n < brief.size() ? n : 0);
  return brief;
}

std::wstring ShortName(const WIN32_FIND_DATAW& found) { return found.cAlternateFileName; }

}  // namespace toolkit
