// Keeps output inside one folder. Template fields and typed names become
// file names unchecked, and templates arrive over plain HTTP, so "..\" or
// an absolute name in them must not reach a file outside the result folder.
// Platform-neutral: the check is lexical, on "\" and "/" alike.
#pragma once
#include <string>

#include "runtime/link.h"

// True when `path` names an entry below the folder `root` once "." and ".."
// are resolved and repeated separators collapsed. A ":" past a leading drive,
// a ".." above the start, or a part made only of dots and blanks (which
// Windows would trim into something else) makes the answer false. Letters
// A-Z compare without case, as the file system does.
bool IsPathInside(const std::string& path, const std::string& root);

class TKestoPathCheck {
 public:
  // A relative Root lies in the program folder.
  std::string Root;
  // Inside: the path as a String; Outside: the path as a String as well.
  TKesto_Event Inside, Outside, PathSource, RootSource;

  void Check(TData& data, uint16_t index);  // reads Path, then Root
};
