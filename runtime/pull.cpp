#include "runtime/pull.h"

#include "runtime/dispatch.h"

// Step 1 of the rule. False when the link is unset or its source declined.
static bool AskSource(const TKesto_Event& link, TData& answer) {
  if (!link.Linked()) return false;
  DataDispatcher(link, answer);
  return answer.Type() != dtBreak;
}

TData PullValue(TData& data, const TKesto_Event& link, const TData* def) {
  TData answer;
  if (AskSource(link, answer)) {
    answer.Next = nullptr;
    return answer;
  }
  if (def && def->Type() != dtNull) return CopyValue(*def);
  return TakeFirst(data);
}

TData PullChain(TData& data, const TKesto_Event& link, const TData* def) {
  TData answer;
  if (AskSource(link, answer)) return answer;
  if (def && def->Type() != dtNull) {
    TData copy;
    CopyChain(copy, *def);
    return copy;
  }
  TData whole = data;
  SetNull(data);
  return whole;
}

// The rule with a plain default: empty (or 0) means "no default".
template <class T>
static T PullConverted(TData& data, const TKesto_Event& link, const T& def,
                       T (*convert)(const TData&)) {
  TData answer;
  if (AskSource(link, answer)) return convert(answer);
  if (def != T()) return def;
  if (data.Type() != dtNull) return convert(TakeFirst(data));
  return def;
}

std::string PullString(TData& data, const TKesto_Event& link, const std::string& def) {
  return PullConverted(data, link, def, &ValueToString);
}

int32_t PullInteger(TData& data, const TKesto_Event& link, int32_t def) {
  return PullConverted(data, link, def, &ValueToInteger);
}

template <class T>
static T* PullPointer(TData& data, const TKesto_Event& link, T* def, uint8_t type) {
  TData answer;
  if (AskSource(link, answer)) return answer.Type() == type ? static_cast<T*>(answer.Pointer) : nullptr;
  if (def) return def;
  if (data.Type() == type) return static_cast<T*>(TakeFirst(data).Pointer);
  return def;
}

TStream* PullStream(TData& data, const TKesto_Event& link, TStream* def) {
  return PullPointer(data, link, def, dtStream);
}

TBitmap* PullBitmap(TData& data, const TKesto_Event& link, TBitmap* def) {
  return PullPointer(data, link, def, dtBitmap);
}

TArrayInterface* PullArray(const TKesto_Event& link) {
  TData answer;
  DataDispatcher(link, answer);
  return answer.Type() == dtArray ? static_cast<TArrayInterface*>(answer.Pointer) : nullptr;
}

int32_t AskInteger(const TKesto_Event& link) {
  TData answer;
  DataDispatcher(link, answer);
  return ValueToInteger(answer);
}

void PassData(const TKesto_Event& link, TData& value) {
  if (link.Linked())
    DataDispatcher(link, value);
  else
    value.Kind = dtBreak;
}
