#include "components/text/convert.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/stream.h"

void TKestoConvertor::Convert(TData& data, uint16_t) {
  if (Mode == kStringToInteger) {
    ForwardInteger(data, Result, ParseDecimal(PullString(data, ValueSource, "")));
    return;
  }
  if (Mode != kStreamToString) return;
  TStream* stream = PullStream(data, ValueSource, nullptr);
  if (!stream) return;
  ForwardString(data, Result, toolkit::ReadAllBytes(*stream));
}

void TKestoStream2Hex::Convert(TData& data, uint16_t) {
  if (Mode != kPrintable) return;
  TStream* stream = PullStream(data, StreamSource, nullptr);
  if (!stream) return;
  const std::string bytes = toolkit::ReadAllBytes(*stream);
  std::string printable;
  printable.reserve(bytes.size());
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 32)
      printable += c;
    else if (!Filler.empty())
      printable += Filler[0];
  }
  ForwardString(data, Result, std::move(printable));
}
