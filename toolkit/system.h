// What the platform-neutral core needs of the system. One implementation
// per platform: system_win.cpp (Win32) and system_host.cpp (tests on Linux).
#pragma once
#include <string>

namespace toolkit {

// Each ends in "\".
std::string WindowsFolder();
std::string TempFolder();
std::string SystemFolder();
// The folder of the program file, ending in "\", unless a program that
// works on another folder (the batch tool's --folder) has set one.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

// A modal message box owned by the main form (or by nobody before there is
// one); returns the button pressed (IDOK = 1, ...).
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);

}  // namespace toolkit
