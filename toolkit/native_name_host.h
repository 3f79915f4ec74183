// Only in the host build: the program's names are cp1251 with "\" between
// the parts, as on Windows; the POSIX file system gets UTF-8 with "/".
#pragma once
#include <string>

namespace toolkit {

std::string NativeName(const std::string& cp1251);
// A name the system listed, back in the program's form; false when it has a
// character cp1251 lacks.
bool ProgramName(const std::string& native, std::string& name);

}  // namespace toolkit
