// cp1251 bytes and UTF-8, both ways, without the platform: the host build
// names its files in UTF-8, and the command line and job files arrive in it.
#pragma once
#include <string>

namespace toolkit {

std::string Cp1251ToUtf8(const std::string& cp1251);
// False when `utf8` is not valid UTF-8 or holds a character cp1251 lacks;
// `cp1251` is then left as it was.
bool Utf8ToCp1251(const std::string& utf8, std::string& cp1251);

}  // namespace toolkit
