// What a console program needs of the system: its arguments and its two
// output streams. One implementation per platform: console_win.cpp and
// console_host.cpp.
#pragma once
#include <string>
#include <vector>

namespace toolkit {

// The arguments after the program name, in UTF-8.
std::vector<std::string> Arguments(int argc, char** argv);
// UTF-8 text to standard output (or standard error).
void WriteOut(const std::string& utf8, bool error = false);
bool IsTerminal(bool error);

}  // namespace toolkit
