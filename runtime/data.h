// The one value type that travels along every link.
#pragma once
#include <cstdint>
#include <string>

class TStream;
class TBitmap;
struct TArrayInterface;
struct TKesto_Event;

enum TDataType : uint8_t {
  dtNull = 0,
  dtInteger = 1,
  dtString = 2,
  dtReal = 7,
  dtStream = 10,
  dtBitmap = 11,
  dtArray = 13,
  dtBreak = 22,
};

constexpr int kTypeCount = 23;
constexpr uint8_t kForwardFlag = 128;
extern const char* const TypeNames[kTypeCount];

// Copied by value. Next is a plain pointer: chains are built and freed
// explicitly with CopyChain/FreeChain by whoever made them.
// IntValue stays 32-bit with 32-bit wrap-around; the pointer payloads of
// Stream, Bitmap and Array need a full 64-bit slot of their own.
struct TData {
  uint8_t Kind = dtNull;
  int32_t IntValue = 0;
  void* Pointer = nullptr;
  std::string StrValue;
  double RealValue = 0;
  const TKesto_Event* ForwardLink = nullptr;
  TData* Next = nullptr;

  uint8_t Type() const { return Kind & 127; }
};

// Each constructor sets Kind and its one payload, clears ForwardLink and
// Next, and leaves the other payload fields as they were.
void SetNull(TData& d);
void SetInteger(TData& d, int32_t i);
void SetString(TData& d, std::string s);
void SetReal(TData& d, double r);
void SetStream(TData& d, TStream* p);
void SetBitmap(TData& d, TBitmap* p);
void SetArray(TData& d, TArrayInterface* p);

TData IntegerData(int32_t i);
TData StringData(std::string s);

// A copy of the head only, with ForwardLink and Next cleared.
TData CopyValue(const TData& source);

// Chains: values linked through Next, every element after the head on the heap.
void CopyChain(TData& dest, const TData& source);
void FreeChain(TData& head);
TData TakeFirst(TData& chain);

int32_t ValueToInteger(const TData& v);
std::string ValueToString(const TData& v);
int32_t ValueToIndex(const TData& v);

// Decimal text to integer: optional sign, digits up to the first non-digit,
// 32-bit wrap-around, no blanks skipped.
int32_t ParseDecimal(const std::string& s);
// Nearest integer with ties to even, wrapped to 32 bits.
int32_t RoundToInteger(double r);
