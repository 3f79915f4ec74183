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
// works on another folder (the batch tool's --folder) has set one. Where
// the folder's path has letters cp1251 lacks, those parts are in their
// short (8.3) form.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);
// The program file's folder as the system names it (UTF-8) when
// ProgramFolder cannot name it, not even through short forms: nothing in it
// could be found or saved then. Empty when it can.
std::string UnnamedProgramFolder();
// A path from outside (UTF-8) in the program's form, cp1251 with "\"
// between the parts, the short form standing in where cp1251 lacks a
// letter; false when a part fits neither way.
bool ProgramPath(const std::string& utf8, std::string& cp1251);

// A modal message box owned by the main form (or by nobody before there is
// one); returns the button pressed (IDOK = 1, ...).
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style);

}  // namespace toolkit
