// One section of an INI file through the Win32 profile functions. Texts are
// cp1251 bytes and go through the wide-character calls.
#pragma once
#include <cstdint>
#include <string>

namespace toolkit {

class TIniFile {
 public:
  enum TMode : uint8_t { kRead, kWrite };

  explicit TIniFile(std::string fileName, TMode mode = kRead, std::string section = "")
      : Mode(mode), Section(std::move(section)), FileName(std::move(fileName)) {}

  TMode Mode;
  std::string Section;
  std::string FileName;

  // Read mode: the stored value, or `value` when there is none. Write mode:
  // stores `value` (an integer as decimal text) and returns it.
  int32_t ValueInteger(const std::string& key, int32_t value);
  std::string ValueString(const std::string& key, const std::string& value);

  // Longest string value a read returns, in characters.
  static constexpr size_t kMaxRead = 2047;
};

}  // namespace toolkit
