// Holding values between events, choosing among value sources and fanning
// one event out. Data point fields carry the suffix "Source" (see strings.h).
#pragma once
#include <cstdint>

#include "runtime/link.h"

class TKestoMemory {
 public:
  explicit TKestoMemory(const TData& def = TData()) : Default(CopyValue(def)), value_(Default) {}

  const TData Default;
  TKesto_Event Changed;

  void Reset(TData& data, uint16_t index);
  void Value(TData& data, uint16_t index);

 private:
  TData value_;
};

// Relays reads of Value to the source chosen by the last Index.
class TKestoGetIndexData {
 public:
  explicit TKestoGetIndexData(uint16_t count) : Count(count), ItemSources(count) {}

  const uint16_t Count;
  TKesto_Event Selected;
  TKesto_Events ItemSources;

  void Index(TData& data, uint16_t index);
  void Value(TData& data, uint16_t index);
  int32_t Selection() const { return selected_; }  // -1: none

 private:
  int32_t selected_ = -1;
};

class TKestoDoData {
 public:
  TData Data;
  TKesto_Event Result, DataSource;

  void Do(TData& data, uint16_t index);
};

// Keeps a deep copy of a captured value chain until the next capture.
class TKestoEventFromData {
 public:
  TKestoEventFromData() = default;
  ~TKestoEventFromData();
  TKestoEventFromData(const TKestoEventFromData&) = delete;
  TKestoEventFromData& operator=(const TKestoEventFromData&) = delete;

  TKesto_Event Request, DataSource;

  void Capture(TData& data, uint16_t index);
  void Value(TData& data, uint16_t index);
  const TData& Captured() const { return captured_; }

 private:
  TData captured_;
};

// Fires every output in order, each with the value as it arrived.
class TKestoHub {
 public:
  explicit TKestoHub(uint8_t count) : Count(count), Out(count) {}

  const uint8_t Count;
  TKesto_Events Out;

  void In(TData& data, uint16_t index);
};
