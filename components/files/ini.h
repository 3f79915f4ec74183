// Reads and writes one key of one section of an INI file. Every operation
// opens the file afresh; nothing is kept between operations.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/link.h"

class TKestoini {
 public:
  std::string FileName;  // a bare name goes into the program folder
  std::string Section;
  std::string Key;
  uint8_t Type = 0;      // 0 integer values, anything else strings
  TKesto_Event Value;    // event: the value read
  TKesto_Event FileNameSource, SectionSource, KeySource;
  TKesto_Event ValueSource;  // data point `Value`, default "" or 0

  // Reads FileName, Section, Key in this order.
  void Read(TData& data, uint16_t index);
  // Reads FileName, Section, Value, Key in this order; fires nothing.
  void Write(TData& data, uint16_t index);
};
