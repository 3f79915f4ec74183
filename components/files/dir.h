// The program's own folder, the current folder, and folder creation with
// every missing parent.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/link.h"

class TKestoDir {
 public:
  TKesto_Event Done, Error;  // both carry no value
  TKesto_Event Path;         // data point, default ""

  void SetCurrent(TData& data, uint16_t index);  // fires Done whatever happened
  void Create(TData& data, uint16_t index);      // fires Done or Error
  // Value point: the folder of the program file, ending in "\".
  void AppFolder(TData& data, uint16_t index);
};

// Creates the folder p (a cp1251 path) and all its missing parents. An empty
// text fails; texts shorter than 3 characters, roots and existing folders
// succeed without creating anything; a parent part that comes out empty (a
// relative one-level name) fails.
bool CreateFolderWithParents(const std::string& p);
