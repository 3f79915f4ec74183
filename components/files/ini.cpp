#include "components/files/ini.h"

#include "runtime/dispatch.h"
#include "runtime/paths.h"
#include "runtime/pull.h"
#include "toolkit/ini_file_win.h"

namespace {

toolkit::TIniFile Open(TKestoini& ini, TData& data, toolkit::TIniFile::TMode mode) {
  // Macros expanded; a bare name (no ":" and no "\") goes into the program folder.
  std::string name = PullFileName(PullString(data, ini.FileNameSource, ini.FileName));
  return toolkit::TIniFile(name, mode, PullString(data, ini.SectionSource, ini.Section));
}

}  // namespace

void TKestoini::Read(TData& data, uint16_t) {
  toolkit::TIniFile file = Open(*this, data, toolkit::TIniFile::kRead);
  std::string key = PullString(data, KeySource, Key);
  if (Type == 0)
    ForwardInteger(data, Value, file.ValueInteger(key, 0));
  else
    ForwardString(data, Value, file.ValueString(key, ""));
}

void TKestoini::Write(TData& data, uint16_t) {
  toolkit::TIniFile file = Open(*this, data, toolkit::TIniFile::kWrite);
  if (Type == 0) {
    int32_t n = PullInteger(data, ValueSource, 0);
    file.ValueInteger(PullString(data, KeySource, Key), n);
  } else {
    std::string s = PullString(data, ValueSource, "");
    file.ValueString(PullString(data, KeySource, Key), s);
  }
}
