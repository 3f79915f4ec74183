// The news of an update: written by the publisher in UTF-8, shown by Ostrel
// as cp1251 text (info.txt).
#pragma once
#include <string>

namespace publish {

// A leading byte-order mark is dropped and lines end in CR LF, as Windows
// texts do. False, with "line L, column C: ..." in error, when a character
// has no cp1251 form or the bytes are not UTF-8.
bool NewsToCp1251(const std::string& utf8, std::string& cp1251, std::string& error);

}  // namespace publish
