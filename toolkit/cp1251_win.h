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

// Names the system gives back. Narrow would put "?" or a look-alike letter
// ("e" for "é") where cp1251 has none, naming another file or none at all,
// so these say false instead.
bool NarrowExactly(const std::wstring& utf16, std::string& cp1251);
// A path of an existing file or folder: each part whose letters do not all
// fit cp1251 is taken in the short (8.3) form the file system keeps for it.
// False when a part fits neither way.
bool NarrowPath(const std::wstring& path, std::string& cp1251);
}  // namespace toolkit
