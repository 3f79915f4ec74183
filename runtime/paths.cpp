#include "runtime/paths.h"

#include "toolkit/system.h"

static std::string ReplaceAll(const std::string& s, const std::string& macro,
                              const std::string& value) {
  std::string out;
  size_t from = 0;
  for (size_t at; (at = s.find(macro, from)) != std::string::npos; from = at + macro.size()) {
    out.append(s, from, at - from);
    out += value;
  }
  out.append(s, from, std::string::npos);
  return out;
}

std::string ExpandPathMacros(const std::string& s) {
  std::string r = s;
  if (r.find('%') == std::string::npos) return r;
  r = ReplaceAll(r, "%windir%", toolkit::WindowsFolder());
  r = ReplaceAll(r, "%tmpdir%", toolkit::TempFolder());
  r = ReplaceAll(r, "%sysdir%", toolkit::SystemFolder());
  return r;
}

std::string PullFileName(const std::string& s) {
  std::string name = ExpandPathMacros(s);
  if (name.find_first_of(":\\") == std::string::npos) return toolkit::ProgramFolder() + name;
  return name;
}
