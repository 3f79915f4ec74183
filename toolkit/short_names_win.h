// The short (8.3) names a file system may keep beside the long ones. NTFS
// makes them unless switched off (the default on data volumes since
// Windows 8); Wine makes them for every name that is not 8.3 already.
#pragma once
#include <windows.h>

#include <string>

namespace toolkit {
// Empty when there is none, or when the path does not exist.
std::wstring ShortPath(const std::wstring& path);
// The short name of a listed entry; empty when it has none.
std::wstring ShortName(const WIN32_FIND_DATAW& found);
}  // namespace toolkit
