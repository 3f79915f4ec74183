#include "runtime/dispatch.h"

const TKesto_Event NoLink{};

static void DoNothingWrite(void*, const TData&, const TData&) {}
static void DoNothingAdd(void*, const TData&) {}

TArrayInterface::TArrayInterface() : Write(&DoNothingWrite), Add(&DoNothingAdd) {}

static void Idle(const TKesto_Event&, TData&) {}

static void DispatchEvent(const TKesto_Event& link, TData& data) {
  const TKesto_Event* current = &link;
  while (current && current->code) {
    current->code(current->instance, data, current->index);
    if (!(data.Kind & kForwardFlag)) return;
    data.Kind -= kForwardFlag;
    current = data.ForwardLink;
  }
}

static void DispatchData(const TKesto_Event& link, TData& data) {
  if (link.code) link.code(link.instance, data, link.index);
}

TDispatcher EventDispatcher = &Idle;
TDispatcher DataDispatcher = &Idle;

void SwitchDispatchOn() {
  EventDispatcher = &DispatchEvent;
  DataDispatcher = &DispatchData;
}

void SwitchDispatchOff() {
  EventDispatcher = &Idle;
  DataDispatcher = &Idle;
}

void FireNull(const TKesto_Event& link) {
  TData d;
  EventDispatcher(link, d);
}

void FireInteger(const TKesto_Event& link, int32_t i) {
  TData d;
  SetInteger(d, i);
  EventDispatcher(link, d);
}

void FireString(const TKesto_Event& link, std::string s) {
  TData d;
  SetString(d, std::move(s));
  EventDispatcher(link, d);
}

void FireStream(const TKesto_Event& link, TStream* p) {
  TData d;
  SetStream(d, p);
  EventDispatcher(link, d);
}

void FireBitmap(const TKesto_Event& link, TBitmap* p) {
  TData d;
  SetBitmap(d, p);
  EventDispatcher(link, d);
}

void FireCopy(const TKesto_Event& link, const TData& stored) {
  TData d = stored;
  EventDispatcher(link, d);
}

void FireEvent(const TKesto_Event& link, TData& value) { EventDispatcher(link, value); }

void ForwardNull(TData& data, const TKesto_Event& link) {
  data.Kind = dtNull | kForwardFlag;
  data.ForwardLink = &link;
}

void ForwardInteger(TData& data, const TKesto_Event& link, int32_t i) {
  data.Kind = dtInteger | kForwardFlag;
  data.IntValue = i;
  data.Next = nullptr;
  data.ForwardLink = &link;
}

void ForwardString(TData& data, const TKesto_Event& link, std::string s) {
  data.Kind = dtString | kForwardFlag;
  data.StrValue = std::move(s);
  data.Next = nullptr;
  data.ForwardLink = &link;
}

void ForwardAsIs(TData& data, const TKesto_Event& link) {
  data.Kind = static_cast<uint8_t>(data.Kind + kForwardFlag);
  data.ForwardLink = &link;
}
