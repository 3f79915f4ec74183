// What ostrel.exe links from the library's own code, beside the four
// operations it imports from BSZIP.dll: the start-up recovery, and the
// names behind a failure the program reports. Texts are the caller's (code
// page 1251 on Windows, UTF-8 elsewhere).
#pragma once
#include <cstdint>
#include <string>

namespace bszip {

// Rolls back an extraction into destination that a crash (or a failed
// undo) left, and removes its staging folder. When nothing is left, one
// look at the file system and nothing more. A code of bszip.h.
int32_t RecoverDestination(const char* destination);

// The folder inside destination where an extraction stages its files, and
// where the copies stay after a failed undo.
std::string StagingFolder(const std::string& destination);

// The path in destination where entry index (in the central directory's
// order) of the archive at path is written; empty when the archive cannot
// be read or has no such entry.
std::string EntryPath(const std::string& destination, const char* archive, int32_t index);

}  // namespace bszip
