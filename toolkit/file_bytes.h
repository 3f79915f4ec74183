// Whole-file byte access. Names are cp1251 byte strings; contents are raw
// bytes. One implementation per platform: file_bytes_win.cpp (Win32, names
// opened through the wide-character functions) and file_bytes_host.cpp.
#pragma once
#include <cstdint>
#include <string>

namespace toolkit {

// True when the name exists and is not a folder.
bool IsExistingFile(const std::string& name);
// Reads the whole file into bytes. Never creates a file; on failure, and
// for a file longer than limit bytes, bytes is left as it was and the
// answer is false.
bool ReadFileBytes(const std::string& name, std::string& bytes, uint64_t limit = UINT64_MAX);
// Creates the file or replaces its whole content with bytes; false when
// it cannot be opened or not everything could be written.
bool WriteFileBytes(const std::string& name, const std::string& bytes);

}  // namespace toolkit
