// Stand-ins for the Linux test build of the platform-neutral core. Message
// boxes are recorded instead of shown so tests can see them.
#include "toolkit/system.h"
#include "toolkit/system_host.h"

namespace toolkit {

std::vector<HostMessage> HostMessages;

std::string WindowsFolder() { return "C:\\windows\\"; }
std::string SystemFolder() { return "C:\\windows\\system32\\"; }

std::string TempFolder() { return "C:\\temp\\"; }

std::string ProgramFolder() { return "C:\\ostrel\\"; }

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  HostMessages.push_back({text, caption, style});
  return 1;
}

}  // namespace toolkit
