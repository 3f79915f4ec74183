#pragma once
#include <string>

// "%windir%", "%tmpdir%", "%sysdir%", in this order, case-sensitive; the
// inserted text is not scanned again.
std::string ExpandPathMacros(const std::string& s);
// Expands macros; a bare name (no ":" and no "\") goes into the program folder.
std::string PullFileName(const std::string& s);
