// Compiled once per key (cmake/windows.cmake), and nothing else in this
// file: the tests' build of the program links its own copy in place of the
// release one.
#include "schema/update_key.h"

const char* const kUpdateKey = OSTREL_UPDATE_KEY;
