// Steering events: branch on a comparison, match a value, toggle, count,
// loop. Data point fields carry the suffix "Source" (see strings.h).
#pragma once
#include <cstdint>

#include "runtime/link.h"

// Comparison codes of TKestoIf_else::Type; any other code is never true.
enum TCompareCode : uint8_t {
  kEqual = 0,
  kLess = 1,
  kGreater = 2,
  kLessOrEqual = 3,
  kGreaterOrEqual = 4,
  kNotEqual = 5,
};

// The kind of a decides how b is converted; see flow.cpp.
bool CompareValues(const TData& a, const TData& b, uint8_t code);

class TKestoIf_else {
 public:
  uint8_t Type = kEqual;
  TData Op1, Op2;
  TKesto_Event True, False, Op1Source, Op2Source;

  void Compare(TData& data, uint16_t index);
};

class TKestoCase {
 public:
  TData Value;   // compared with
  TData Result;  // sent on a match
  TKesto_Event Match, Else;

  void Case(TData& data, uint16_t index);
};

class TKestoSwitch {
 public:
  // startOff 0 starts in the on state.
  TKestoSwitch(const TData& dataOn, const TData& dataOff, uint8_t startOff);

  const TData DataOn, DataOff;
  const uint8_t StartOff;
  bool State;
  TData Current;
  TKesto_Event Changed, On, Off, OnSource, OffSource;

  void Switch(TData& data, uint16_t index);
};

// Steps Value through Min .. Max, jumping to the far end when it passes one.
// The event point `Value` is the field ValueEvent: the property keeps the name.
class TKestoCounter {
 public:
  int32_t Min = 0, Max = 0, Step = 1;
  uint8_t Direction = 0;  // 0 counts up
  int32_t Value = 0;      // start count, then the current count
  TKesto_Event ValueEvent;

  void Next(TData& data, uint16_t index);
  void Reset(TData& data, uint16_t index);
};

class TKestoFor {
 public:
  int32_t Start = 0, End = 0, Step = 1;
  uint8_t IncludeEnd = 0;
  uint8_t KeepInput = 0;
  int32_t Count = 0;  // the running count; shared by re-entrant runs
  TKesto_Event Iteration, Done, StartSource, EndSource;

  void Run(TData& data, uint16_t index);
};

// Counts what a run produced and, asked for a report, says how it went:
// `Failed` with the number of failures when there were any, else `Nothing`
// when nothing succeeded, else `Done` with the value the report came with.
// A report starts the count afresh, so each run reports only its own work.
class TKestoTally {
 public:
  TKesto_Event Done, Failed, Nothing;

  void Count(TData& data, uint16_t index);  // non-zero: a success, 0: a failure
  void Report(TData& data, uint16_t index);

 private:
  int32_t succeeded_ = 0, failed_ = 0;
};
