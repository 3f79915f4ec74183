// A string list with file load and save, and a reader of array items.
// Data point fields carry the suffix "Source" (see strings.h).
#pragma once
#include <cstdint>
#include <string>

#include "runtime/link.h"
#include "toolkit/strlist.h"

class TKestoStrList {
 public:
  // strings: the initial text, split into lines once.
  explicit TKestoStrList(const std::string& strings = std::string());

  std::string FileName;
  uint32_t MaxSize = 0;  // bytes Load reads at most; 0: any size
  const std::string Strings;
  TStrList List;
  TKesto_Event Changed, FileNameSource, StrSource;
  TKesto_Event Saved;  // Integer 1 when Save wrote the whole file, 0 when not
  // Integer 0 when Load found the file but could not read it (held open
  // without sharing, no permission, longer than MaxSize); the list is then
  // empty.
  TKesto_Event LoadFailed;

  void Add(TData& data, uint16_t index);
  void SetText(TData& data, uint16_t index);
  void Load(TData& data, uint16_t index);
  void Save(TData& data, uint16_t index);
  void Text(TData& data, uint16_t index);  // the CR LF text form
};

class TKestoArrayRW {
 public:
  TData Index;  // default of the Index data point
  TKesto_Event Result, ArraySource, IndexSource;

  void Read(TData& data, uint16_t index);
  void Item(TData& data, uint16_t index);  // the last item read

 private:
  TData item_;
};
