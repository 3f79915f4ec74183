#include "toolkit/native_name_host.h"

#include <algorithm>

#include "toolkit/utf8.h"

namespace toolkit {

std::string NativeName(const std::string& cp1251) {
  std::string name = Cp1251ToUtf8(cp1251);
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

bool ProgramName(const std::string& native, std::string& name) {
  if (!Utf8ToCp1251(native, name)) return false;
  std::replace(name.begin(), name.end(), '/', '\\');
  return true;
}

}  // namespace toolkit
