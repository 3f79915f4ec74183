#include "toolkit/resource_win.h"

#include <windows.h>

#include <cstring>

namespace toolkit {

std::string LoadTextResource(const char* name, int type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(type));
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  // Bounded by the resource's size: a text without its zero byte must not
  // run on into whatever follows it.
  std::string text = bytes ? std::string(bytes, strnlen(bytes, SizeofResource(module, found))) : "";
  if (loaded) FreeResource(loaded);
  return text;
}

}  // namespace toolkit
