#include "components/win/message.h"

#include <windows.h>

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/system.h"

// A property outside its table means its first row (OK, no icon, first
// button) rather than a read past the table.
unsigned TKestoMessage::Style() const {
  static const unsigned kButtons[] = {MB_OK,          MB_OKCANCEL,    MB_YESNO,
                                      MB_YESNOCANCEL, MB_RETRYCANCEL, MB_ABORTRETRYIGNORE};
  static const unsigned kIcons[] = {0, MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION,
                                    MB_ICONASTERISK};
  static const unsigned kDefaults[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
  return kButtons[Buttons < 6 ? Buttons : 0] | kIcons[Icon < 5 ? Icon : 0] |
         kDefaults[DefaultButton < 3 ? DefaultButton : 0];
}

void TKestoMessage::Message(TData& data, uint16_t) {
  const std::string text = PullString(data, TextSource, Text);
  const std::string caption = PullString(data, CaptionSource, Caption);
  const int answer = toolkit::ShowMessageBox(text, caption, Style());
  FireInteger(Result, answer);
  const TKesto_Event* const kAnswers[] = {&OK, &Cancel, &Abort, &Retry, &Ignore, &Yes, &No};
  if (answer >= IDOK && answer <= IDNO) ForwardNull(data, *kAnswers[answer - IDOK]);
}
