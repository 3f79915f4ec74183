// The program's strings are cp1251 bytes whatever the system's ANSI code
// page is; every text handed to or read from Win32 crosses here.
#pragma once
#include <string>

namespace toolkit {
std::wstring Widen(const std::string& cp1251);
std::string Narrow(const std::wstring& utf16);
}  // namespace toolkit
