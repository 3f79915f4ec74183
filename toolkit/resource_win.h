// Texts stored as resources in the program file.
#pragma once
#include <string>

namespace toolkit {

// The bytes of the resource `name` of the numeric type `type`, up to its
// first zero byte; empty when the program file has no such resource.
std::string LoadTextResource(const char* name, int type);

}  // namespace toolkit
