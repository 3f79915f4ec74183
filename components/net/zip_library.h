// The interface to the zip library BSZIP.dll: its four
// operations, imported by name, gathered in one table so that the zipper
// reaches the library only through it (and tests can stand in for it).
#pragma once
#include <cstdint>

#include "bszip/bszip.h"

struct TZipLibrary {
  int32_t(BSZIP_CALL* OpenZipFile)(const char* path);
  int32_t(BSZIP_CALL* ExtractAll)(const char* destination, const char* text, int32_t flag1, int32_t flag2,
                                  int32_t flag3, int32_t flag4, BszipProgress progress);
  int32_t(BSZIP_CALL* CloseZipFile)();
  int32_t(BSZIP_CALL* GetRunTimeInfo)(int32_t* first, int32_t* second);
};

// zOpenZipFile, zExtractAll, zCloseZipFile and zGetRunTimeInfo of BSZIP.dll.
extern "C" const TZipLibrary BszipLibrary;
