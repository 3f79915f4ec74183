// cp1251 bytes and UTF-8, both ways, without the platform: the host build
// names its files in UTF-8, and the command line and job files arrive in it.
#pragma once
#include <cstddef>
#include <string>

namespace toolkit {

std::string Cp1251ToUtf8(const std::string& cp1251);
// False when `utf8` is not valid UTF-8 or holds a character cp1251 lacks;
// `cp1251` is then left as it was.
bool Utf8ToCp1251(const std::string& utf8, std::string& cp1251);
// The same, telling on failure the byte offset of the first character that
// could not be converted.
bool Utf8ToCp1251(const std::string& utf8, std::string& cp1251, size_t& failedAt);

}  // namespace toolkit
