// Splitting a colour into its parts, and the platform's colour chooser.
// Colours are 0x00BBGGRR; 0xFF0000nn names system colour nn, looked up when used.
#pragma once
#include <cstdint>

#include "runtime/link.h"

class TKestoToRGB {
 public:
  uint32_t Color = 0;
  // Result: Integer R, then G, then B, chained through Next.
  TKesto_Event Result, ColorSource;

  void Convert(TData& data, uint16_t index);
  // The parts of the last conversion (0 before the first).
  void R(TData& data, uint16_t index);
  void G(TData& data, uint16_t index);
  void B(TData& data, uint16_t index);

 private:
  uint8_t r_ = 0, g_ = 0, b_ = 0;
};

// A fresh chooser on every Execute, so colours the user defined there are
// not remembered; `Chosen` fires only when the user confirms.
class TKestoColorDialog {
 public:
  TKesto_Event Chosen;
  TKesto_Event Color;  // selected when the chooser opens; else the call's value, else black

  void Execute(TData& data, uint16_t index);
};
