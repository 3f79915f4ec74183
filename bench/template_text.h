#pragma once

#include <string>

namespace bench {

// Template text as authors write it: lines of about 60 bytes with a
// placeholder every few lines, `size` bytes in all.
inline std::string Block(const std::string& tag, size_t size) {
  std::string text;
  for (int line = 0; text.size() < size; ++line) {
    text += tag + " vertex " + std::to_string(line) + " 0.125 0.250 0.500";
    if (line % 4 == 0) text += " colour %4 floor %1";
    if (line % 9 == 0) text += " name \"%3\" %%";
    text += "\r\n";
  }
  return text;
}

}  // namespace bench
