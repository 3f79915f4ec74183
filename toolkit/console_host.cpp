#include <unistd.h>

#include <cstdio>

#include "toolkit/console.h"

namespace toolkit {

std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void WriteOut(const std::string& utf8, bool error) {
  std::FILE* stream = error ? stderr : stdout;
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

bool IsTerminal(bool error) { return isatty(error ? 2 : 1) != 0; }

}  // namespace toolkit
