// Only in the host build: what the stand-ins recorded.
#pragma once
#include <string>
#include <vector>

namespace toolkit {
struct HostMessage {
  std::string text, caption;
  unsigned style;
};
extern std::vector<HostMessage> HostMessages;
}  // namespace toolkit
