// Value conversions: string to integer, stream to string, stream to
// printable text. Data point fields carry the suffix "Source" (see strings.h).
#pragma once
#include <cstdint>
#include <string>

#include "runtime/link.h"

class TKestoConvertor {
 public:
  static constexpr uint8_t kStringToInteger = 1;
  static constexpr uint8_t kStreamToString = 11;

  uint8_t Mode = kStringToInteger;  // other modes do nothing
  TKesto_Event Result, ValueSource;

  void Convert(TData& data, uint16_t index);
};

class TKestoStream2Hex {
 public:
  static constexpr uint8_t kPrintable = 4;

  uint8_t Mode = kPrintable;  // other modes do nothing
  std::string Filler;         // its first byte replaces control bytes
  TKesto_Event Result, StreamSource;

  void Convert(TData& data, uint16_t index);
};
