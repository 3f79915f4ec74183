#include "components/text/storage.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"

void TKestoMemory::Reset(TData& data, uint16_t) {
  value_ = Default;
  data = CopyValue(value_);
  ForwardAsIs(data, Changed);
}

void TKestoMemory::Value(TData& data, uint16_t) { data = CopyValue(value_); }

void TKestoGetIndexData::Index(TData& data, uint16_t) {
  const int32_t n = ValueToInteger(data);
  selected_ = n >= 0 && n < Count ? n : -1;
  ForwardInteger(data, Selected, n);
}

void TKestoGetIndexData::Value(TData& data, uint16_t) {
  if (selected_ < 0) {
    SetNull(data);
    return;
  }
  PassData(ItemSources[static_cast<size_t>(selected_)], data);
}

void TKestoDoData::Do(TData& data, uint16_t) {
  SetNull(data);
  data = PullValue(data, DataSource, &Data);
  ForwardAsIs(data, Result);
}

TKestoEventFromData::~TKestoEventFromData() { FreeChain(captured_); }

void TKestoEventFromData::Capture(TData& data, uint16_t) {
  const TData v = PullChain(data, DataSource, nullptr);
  // Copy before freeing: v may be built on the chain held so far.
  TData fresh;
  CopyChain(fresh, v);
  fresh.ForwardLink = nullptr;
  FreeChain(captured_);
  captured_ = fresh;
}

void TKestoEventFromData::Value(TData& data, uint16_t) {
  FireEvent(Request, data);
  data = CopyValue(captured_);
}

void TKestoHub::In(TData& data, uint16_t) {
  for (const TKesto_Event& out : Out) FireCopy(out, data);
}
