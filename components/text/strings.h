// Joining, cutting, replacing and formatting byte strings.
//
// Naming: a data point shares its name with a property in several classes,
// so every data point field carries the suffix "Source" (`Str1Source` is the
// data point `Str1`); indexed data points are `TKesto_Events` named in the
// plural, element i being point i (for `StrSources` element 0 is `Str1`).
// Work points and value points are methods, event points plain fields.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/link.h"

class TKestoStrCat {
 public:
  std::string Str1, Str2;
  TKesto_Event Result, Str1Source, Str2Source;

  void Concat(TData& data, uint16_t index);
  void Value(TData& data, uint16_t index);  // the last result

 private:
  std::string value_;
};

class TKestoStrCatDelim {
 public:
  std::string Delimiter, Str1, Str2;
  TKesto_Event Result, Str1Source, Str2Source, DelimiterSource;

  void Concat(TData& data, uint16_t index);
  void Value(TData& data, uint16_t index);

 private:
  std::string value_;
};

// Replaces every occurrence of SubStr; the Skip source may spare single
// occurrences (non-zero answer), `Position` telling which one is at stake.
class TKestoReplace {
 public:
  std::string SubStr, DestStr;
  std::string Text;      // the text being edited
  int32_t Position = 0;  // 1-based, in the edited text
  TKesto_Event Result, TextSource, SubStrSource, DestStrSource, SkipSource;

  void Replace(TData& data, uint16_t index);
};

class TKestoMultiStrPart {
 public:
  explicit TKestoMultiStrPart(uint16_t count) : Count(count), Parts(count) {}

  const uint16_t Count;
  std::string Delimiter;
  int32_t Skip = 0;
  std::vector<std::string> Parts;
  TKesto_Event Rest, NoDelimiter, TextSource;

  void Split(TData& data, uint16_t index);
  void Part(TData& data, uint16_t index);  // the link's index selects the part
};

// Fills %1 .. %Count of Mask; "%%" stands for a literal "%".
class TKestoFormatStr {
 public:
  explicit TKestoFormatStr(uint16_t count) : Count(count), StrSources(count) {}

  const uint16_t Count;
  std::string Mask;
  std::string Value;        // the last result
  std::string Placeholder;  // the key of the pass under way
  TKesto_Event Result;
  TKesto_Events StrSources;

  void Format(TData& data, uint16_t index);
  void SetMask(TData& data, uint16_t index);
};

class TKestoInsert {
 public:
  std::string Str, SubStr;
  int32_t Position = 0;
  uint8_t Direction = 0;  // 1: Position counts from the end
  TKesto_Event Result, StrSource, SubStrSource, PositionSource;

  void Insert(TData& data, uint16_t index);
};
