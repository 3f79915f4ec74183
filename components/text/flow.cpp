#include "components/text/flow.h"

#include <cstdlib>

#include "runtime/dispatch.h"
#include "runtime/pull.h"

namespace {

template <class T>
bool CompareOrdered(const T& a, const T& b, uint8_t code) {
  switch (code) {
    case kEqual: return a == b;
    case kLess: return a < b;
    case kGreater: return a > b;
    case kLessOrEqual: return a <= b;
    case kGreaterOrEqual: return a >= b;
    case kNotEqual: return a != b;
    default: return false;
  }
}

unsigned char UpperAscii(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

// Ordering of 0-terminated byte strings with only a .. z folded to upper
// case; answers <0, 0 or >0.
int CompareFolded(const std::string& a, const std::string& b) {
  const char* p = a.c_str();
  const char* q = b.c_str();
  for (;; ++p, ++q) {
    int d = UpperAscii(static_cast<unsigned char>(*p)) - UpperAscii(static_cast<unsigned char>(*q));
    if (d != 0 || *p == '\0') return d;
  }
}

bool CompareStrings(const std::string& a, const std::string& b, uint8_t code) {
  if (code == kEqual) return a == b;
  if (code == kNotEqual) return a != b;
  return CompareOrdered(CompareFolded(a, b), 0, code);
}

double ValueToReal(const TData& v) {
  switch (v.Type()) {
    case dtInteger: return v.IntValue;
    case dtReal: return v.RealValue;
    case dtString: return std::strtod(v.StrValue.c_str(), nullptr);
    default: return 0;
  }
}

// Wraps like the 32-bit registers the counts live in.
int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

}  // namespace

bool CompareValues(const TData& a, const TData& b, uint8_t code) {
  switch (a.Type()) {
    case dtNull: return b.Type() == dtNull;
    case dtInteger: return CompareOrdered(a.IntValue, ValueToInteger(b), code);
    case dtString: return CompareStrings(a.StrValue, ValueToString(b), code);
    case dtReal: return CompareOrdered(a.RealValue, ValueToReal(b), code);
    default: return false;
  }
}

void TKestoIf_else::Compare(TData& data, uint16_t) {
  const TData arrived = data;
  const TData x = PullValue(data, Op1Source, &Op1);
  const TData y = PullValue(data, Op2Source, &Op2);
  const bool holds = CompareValues(x, y, Type);
  data = arrived;
  ForwardAsIs(data, holds ? True : False);
}

void TKestoCase::Case(TData& data, uint16_t) {
  TData arrived = data;
  const TData x = TakeFirst(data);
  if (CompareValues(x, Value, kEqual))
    FireCopy(Match, Result);
  else
    FireEvent(Else, arrived);
}

TKestoSwitch::TKestoSwitch(const TData& dataOn, const TData& dataOff, uint8_t startOff)
    : DataOn(CopyValue(dataOn)),
      DataOff(CopyValue(dataOff)),
      StartOff(startOff),
      State(startOff == 0),
      Current(State ? DataOn : DataOff) {}

void TKestoSwitch::Switch(TData& data, uint16_t) {
  State = !State;
  Current = State ? PullValue(data, OnSource, &DataOn) : PullValue(data, OffSource, &DataOff);
  FireCopy(Changed, Current);
  // Changed and all it starts are over before On or Off is delivered.
  data = CopyValue(Current);
  ForwardAsIs(data, State ? On : Off);
}

void TKestoCounter::Next(TData& data, uint16_t) {
  // Compared in 64 bits, so that a count near the 32-bit limit still wraps
  // to the far end rather than overflowing past it.
  if (Direction == 0) {
    const int64_t next = int64_t{Value} + Step;
    Value = next > Max ? Min : Wrap(next);
  } else {
    const int64_t next = int64_t{Value} - Step;
    Value = next < Min ? Max : Wrap(next);
  }
  ForwardInteger(data, ValueEvent, Value);
}

void TKestoCounter::Reset(TData&, uint16_t) { Value = Direction == 0 ? Min : Max; }

void TKestoFor::Run(TData& data, uint16_t) {
  if (KeepInput == 0) SetNull(data);
  Count = PullInteger(data, StartSource, Start);
  int64_t last = PullInteger(data, EndSource, End);
  // Bounds and steps in 64 bits: a range that reaches the 32-bit limit ends
  // instead of wrapping around into an endless loop.
  if (Step != 0) {
    const bool up = Step > 0;
    if (IncludeEnd == 0) last += up ? -1 : 1;
    while (up ? Count <= last : Count >= last) {
      FireInteger(Iteration, Count);
      const int64_t next = int64_t{Count} + Step;
      Count = Wrap(next);
      if (next != Count) break;  // passed a 32-bit limit
    }
  }
  ForwardInteger(data, Done, Count);
}

void TKestoTally::Count(TData& data, uint16_t) {
  ++(ValueToInteger(data) != 0 ? succeeded_ : failed_);
}

void TKestoTally::Report(TData& data, uint16_t) {
  const int32_t succeeded = succeeded_, failed = failed_;
  succeeded_ = failed_ = 0;
  if (failed > 0) return ForwardInteger(data, Failed, failed);
  if (succeeded == 0) return ForwardNull(data, Nothing);
  ForwardAsIs(data, Done);
}
