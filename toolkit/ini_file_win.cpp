#include "toolkit/ini_file_win.h"

#include <windows.h>

#include "toolkit/cp1251_win.h"

namespace toolkit {

namespace {

// The file name is a cp1251 path like every other. Section, key and value
// are different: the profile functions keep a plain-text file in the
// system's ANSI code page, converting wide texts into it and out of it. Going
// through that same code page here cancels the conversion, so the file
// receives exactly the program's cp1251 bytes, and they come back unchanged,
// whatever the system's code page is. Through cp1251 instead, every Cyrillic
// letter would turn into "?" on a system with another code page.
std::wstring ToProfile(const std::string& bytes) { return WidenFrom(CP_ACP, bytes); }

std::string FromProfile(const wchar_t* w, int length) { return NarrowTo(CP_ACP, w, length); }

}  // namespace

// Empty texts go in as empty strings, never as null pointers: a null key or
// value would delete the key or the whole section.

int32_t TIniFile::ValueInteger(const std::string& key, int32_t value) {
  if (Mode == kWrite) {
    ValueString(key, std::to_string(value));
    return value;
  }
  return static_cast<int32_t>(GetPrivateProfileIntW(
      ToProfile(Section).c_str(), ToProfile(key).c_str(), value, Widen(FileName).c_str()));
}

std::string TIniFile::ValueString(const std::string& key, const std::string& value) {
  if (Mode == kWrite) {
    WritePrivateProfileStringW(ToProfile(Section).c_str(), ToProfile(key).c_str(),
                               ToProfile(value).c_str(), Widen(FileName).c_str());
    return value;
  }
  wchar_t buffer[kMaxRead + 1];
  DWORD n = GetPrivateProfileStringW(ToProfile(Section).c_str(), ToProfile(key).c_str(),
                                     ToProfile(value).c_str(), buffer, kMaxRead + 1,
                                     Widen(FileName).c_str());
  return FromProfile(buffer, static_cast<int>(n));
}

}  // namespace toolkit
