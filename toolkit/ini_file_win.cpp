#include "toolkit/ini_file_win.h"

#include <windows.h>

#include "toolkit/cp1251_win.h"

namespace toolkit {

// Empty texts go in as empty strings, never as null pointers: a null key or
// value would delete the key or the whole section.

int32_t TIniFile::ValueInteger(const std::string& key, int32_t value) {
  if (Mode == kWrite) {
    WritePrivateProfileStringW(Widen(Section).c_str(), Widen(key).c_str(),
                               std::to_wstring(value).c_str(), Widen(FileName).c_str());
    return value;
  }
  return static_cast<int32_t>(GetPrivateProfileIntW(Widen(Section).c_str(), Widen(key).c_str(),
                                                    value, Widen(FileName).c_str()));
}

std::string TIniFile::ValueString(const std::string& key, const std::string& value) {
  if (Mode == kWrite) {
    WritePrivateProfileStringW(Widen(Section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                               Widen(FileName).c_str());
    return value;
  }
  wchar_t buffer[kMaxRead + 1];
  DWORD n = GetPrivateProfileStringW(Widen(Section).c_str(), Widen(key).c_str(),
                                     Widen(value).c_str(), buffer, kMaxRead + 1,
                                     Widen(FileName).c_str());
  return Narrow(std::wstring(buffer, n));
}

}  // namespace toolkit
