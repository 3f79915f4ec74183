// Linked into a second ostrel.exe in place of toolkit/short_names_win.cpp:
// the program as it runs where the file system keeps no short names (NTFS
// with them switched off), which Wine cannot show, since it makes them for
// every long name.
#include "toolkit/short_names_win.h"

namespace toolkit {
std::wstring ShortPath(const std::wstring&) { return std::wstring(); }
std::wstring ShortName(const WIN32_FIND_DATAW&) { return std::wstring(); }
}  // namespace toolkit
