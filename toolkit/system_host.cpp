// The Linux build of the platform-neutral core. Message boxes are recorded
// instead of shown so tests can see them.
#include <algorithm>

#include "toolkit/system.h"
#include "toolkit/system_host.h"
#include "toolkit/utf8.h"

namespace toolkit {

std::vector<HostMessage> HostMessages;

std::string WindowsFolder() { return "C:\\windows\\"; }
std::string SystemFolder() { return "C:\\windows\\system32\\"; }

std::string TempFolder() { return "C:\\temp\\"; }

// The tests' stand-in until a program names its folder.
static std::string programFolder = "C:\\ostrel\\";

std::string ProgramFolder() { return programFolder; }

void SetProgramFolder(const std::string& folder) { programFolder = folder; }

std::string UnnamedProgramFolder() { return std::string(); }

// POSIX keeps no short names.
bool ProgramPath(const std::string& utf8, std::string& cp1251) {
  if (!Utf8ToCp1251(utf8, cp1251)) return false;
  std::replace(cp1251.begin(), cp1251.end(), '/', '\\');
  return true;
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  HostMessages.push_back({text, caption, style});
  return 1;
}

}  // namespace toolkit
