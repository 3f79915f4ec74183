#include "toolkit/native_name_host.h"

#include <algorithm>

#include "toolkit/utf8.h"

namespace toolkit {

std::string NativeName(const std::string& cp1251) {
  std::string name = Cp1251ToUtf8(cp1251);
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

// Character by character, so that only what cannot be held turns into "?".
std::string ProgramName(const std::string& native) {
  std::string name;
  if (!Utf8ToCp1251(native, name)) {
    name.clear();
    for (size_t at = 0; at < native.size();) {
      size_t end = at + 1;
      while (end < native.size() && (static_cast<unsigned char>(native[end]) & 0xC0) == 0x80) ++end;
      std::string one;
      name += Utf8ToCp1251(native.substr(at, end - at), one) ? one : "?";
      at = end;
    }
  }
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

}  // namespace toolkit
