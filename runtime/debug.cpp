#include "runtime/debug.h"

#include "toolkit/system.h"

void DebugMessage(const std::string& text) {
  constexpr unsigned kOk = 0;
  toolkit::ShowMessageBox(text, "String-Debug", kOk);
}
