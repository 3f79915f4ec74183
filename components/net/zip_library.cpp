#include "components/net/zip_library.h"

extern "C" const TZipLibrary BszipLibrary = {&zOpenZipFile, &zExtractAll, &zCloseZipFile, &zGetRunTimeInfo};
