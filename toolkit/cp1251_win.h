// The program's strings are cp1251 bytes whatever the system's ANSI code
// page is; every text handed to or read from Win32 crosses here.
#pragma once
#include <string>

namespace toolkit {
std::wstring Widen(const std::string& cp1251);
std::string Narrow(const std::wstring& utf16);

// The same with another code page, for the few places that must meet a
// file written in the system's own code page.
std::wstring WidenFrom(unsigned codePage, const std::string& bytes);
std::string NarrowTo(unsigned codePage, const wchar_t* utf16, int length);
}  // namespace toolkit
