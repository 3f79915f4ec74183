// Deletes files: into the recycle bin through the shell, or directly.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/link.h"

class TKestoFileTools {
 public:
  uint8_t Recycle = 0;     // 0 moves to the recycle bin, anything else deletes directly
  TKesto_Event Done;       // no value: the named file is gone afterwards
  TKesto_Event FileName;   // data point, default ""

  // Recycle-bin mode takes a file's name, or else several absolute names
  // separated by ";", and hands the shell files only, never a folder;
  // direct mode takes one name whose last part may hold the system's
  // wildcards.
  void Delete(TData& data, uint16_t index);
};
