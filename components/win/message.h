// A modal message box whose answer becomes events. No window of its own:
// the box is owned by the main form.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/link.h"

class TKestoMessage {
 public:
  std::string Text, Caption;  // defaults when their data points are unlinked
  uint8_t Buttons = 0;        // 0 OK, 1 OK Cancel, 2 Yes No, 3 Yes No Cancel, 4 Retry Cancel, 5 Abort Retry Ignore
  uint8_t Icon = 0;           // 0 none, 1 error, 2 question, 3 warning, 4 information
  uint8_t DefaultButton = 0;  // 0 first, 1 second, 2 third

  TKesto_Event TextSource, CaptionSource;  // the data points Text and Caption
  TKesto_Event Result;                     // the box's return code, at once
  // One per answer, run after Message has returned.
  TKesto_Event OK, Cancel, Abort, Retry, Ignore, Yes, No;

  void Message(TData& data, uint16_t index);

  // The MessageBox style for the current properties.
  unsigned Style() const;
};
