#pragma once
#include <string>

// The program's one diagnostic: a modal "String-Debug" box.
void DebugMessage(const std::string& text);
