#include "runtime/data.h"

#include <cmath>
#include <cstdio>

const char* const TypeNames[kTypeCount] = {
    "NULL",   "Integer", "String", "Data",    "Combo", "StrList", "Icon",   "Real",
    "Color",  "Script",  "Stream", "Bitmap",  "Wave",  "Array",   "ComboEx", "Font",
    "Matrix", "Jpeg",    "Menu",   "Code",    "Object", "Type",   "Break"};

static void ClearLinks(TData& d, uint8_t kind) {
  d.Kind = kind;
  d.ForwardLink = nullptr;
  d.Next = nullptr;
}

void SetNull(TData& d) { ClearLinks(d, dtNull); }

void SetInteger(TData& d, int32_t i) {
  ClearLinks(d, dtInteger);
  d.IntValue = i;
}

void SetString(TData& d, std::string s) {
  ClearLinks(d, dtString);
  d.StrValue = std::move(s);
}

void SetReal(TData& d, double r) {
  ClearLinks(d, dtReal);
  d.RealValue = r;
}

void SetStream(TData& d, TStream* p) {
  ClearLinks(d, dtStream);
  d.Pointer = p;
}

void SetBitmap(TData& d, TBitmap* p) {
  ClearLinks(d, dtBitmap);
  d.Pointer = p;
}

void SetArray(TData& d, TArrayInterface* p) {
  ClearLinks(d, dtArray);
  d.Pointer = p;
}

TData IntegerData(int32_t i) {
  TData d;
  SetInteger(d, i);
  return d;
}

TData StringData(std::string s) {
  TData d;
  SetString(d, std::move(s));
  return d;
}

TData CopyValue(const TData& source) {
  TData d = source;
  d.ForwardLink = nullptr;
  d.Next = nullptr;
  return d;
}

void CopyChain(TData& dest, const TData& source) {
  dest = source;
  TData* tail = &dest;
  for (const TData* from = source.Next; from; from = from->Next) {
    tail->Next = new TData(*from);
    tail = tail->Next;
  }
  tail->Next = nullptr;
}

void FreeChain(TData& head) {
  TData* p = head.Next;
  while (p) {
    TData* next = p->Next;
    delete p;
    p = next;
  }
  head.Next = nullptr;
}

TData TakeFirst(TData& chain) {
  TData first = chain;
  first.Next = nullptr;
  if (chain.Next)
    chain = *chain.Next;
  else
    chain.Kind = dtNull;
  return first;
}

int32_t ParseDecimal(const std::string& s) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    negative = s[i] == '-';
    ++i;
  }
  uint32_t value = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
    value = value * 10u + static_cast<uint32_t>(s[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t RoundToInteger(double r) {
  if (!std::isfinite(r)) return 0;
  double wrapped = std::fmod(std::nearbyint(r), 4294967296.0);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(wrapped)));
}

int32_t ValueToInteger(const TData& v) {
  switch (v.Type()) {
    case dtInteger: return v.IntValue;
    case dtString: return ParseDecimal(v.StrValue);
    case dtReal: return RoundToInteger(v.RealValue);
    default: return 0;
  }
}

std::string ValueToString(const TData& v) {
  switch (v.Type()) {
    case dtString: return v.StrValue;
    case dtInteger: return std::to_string(v.IntValue);
    case dtReal: {
      char text[32];
      std::snprintf(text, sizeof text, "%.15g", v.RealValue);
      return text;
    }
    default: return std::string();
  }
}

int32_t ValueToIndex(const TData& v) {
  switch (v.Type()) {
    case dtInteger: return v.IntValue;
    case dtString: {
      if (v.StrValue.empty()) return -1;
      int32_t n = ParseDecimal(v.StrValue);
      return n != 0 || v.StrValue[0] == '0' ? n : -1;
    }
    case dtReal: return RoundToInteger(v.RealValue);
    default: return -1;
  }
}
