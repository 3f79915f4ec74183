#include "batch/template_rules.h"

#include <cstring>

#include "components/files/path_check.h"
#include "toolkit/utf8.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
unsigned char Byte(const std::string& s, size_t at) { return at < s.size() ? static_cast<unsigned char>(s[at]) : 0; }

// One UTF-8 letter of the Cyrillic block: a lead byte D0..D3, a trail byte.
bool CyrillicAt(const std::string& bytes, size_t at) {
  return Byte(bytes, at) >= 0xD0 && Byte(bytes, at) <= 0xD3 && (Byte(bytes, at + 1) & 0xC0) == 0x80;
}

// Two such letters in a row: cp1251 Russian almost never puts "Р" or "С"
// before punctuation twice over, UTF-8 Russian does it in every word.
size_t FirstUtf8Cyrillic(const std::string& bytes) {
  for (size_t at = 0; at + 3 < bytes.size(); ++at)
    if (CyrillicAt(bytes, at) && CyrillicAt(bytes, at + 2)) return at;
  return std::string::npos;
}

void CheckPlaceholders(const std::string& mask, size_t at, TemplateReport& report) {
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] != '%') continue;
    const char next = i + 1 < mask.size() ? mask[i + 1] : '\0';
    if (next == '%') {  // "%%", paired left to right: a literal "%"
      ++i;
    } else if (IsDigit(next) && (next == '0' || next > '5')) {
      report.AtText(at + i, "placeholder",
                    Quoted(mask.substr(i, 2)) + " stays as it is: only %1 to %5 are filled; write %%" +
                        next + " for the text itself");
    } else if (IsDigit(next) && i + 2 < mask.size() && IsDigit(mask[i + 2])) {
      report.AtText(at + i, "placeholder",
                    Quoted(mask.substr(i, 3)) + " stays as it is: a digit right after " + mask.substr(i, 2) +
                        " keeps it from being filled; put something between them");
    } else if (next == '\0' || next == '\r' || next == '\n') {
      report.AtText(at + i, "lone-percent",
                    "a \"%\" at the end of a line stays as it is: write %% for a percent sign, "
                    "or finish the placeholder (%1 to %5)");
    }
  }
}

std::vector<std::string> NameParts(const std::string& name) {
  std::vector<std::string> parts(1);
  for (char c : name) {
    if (!IsSeparator(c)) parts.back() += c;
    else if (!parts.back().empty()) parts.emplace_back();
  }
  return parts;
}

std::string WhyOutside(const std::string& name) {
  if (name.find(':') != std::string::npos) return "\":\" names a drive or a stream";
  for (const std::string& part : NameParts(name))
    if (part == "..") return "\"..\" leads out of result\\";
  return "a part made only of dots and blanks";
}

bool IsDeviceName(const std::string& part) {
  std::string base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  for (const char* device : {"CON", "PRN", "AUX", "NUL"})
    if (base == device) return true;
  return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
         base[3] >= '1' && base[3] <= '9';
}

// What keeps Windows from creating a file or folder of this name, or "".
std::string WhyWindowsRefuses(const std::string& part) {
  for (char c : part) {
    if (static_cast<unsigned char>(c) < 32) return "it holds a line break or another control character";
    if (std::strchr("<>\"|?*", c)) return std::string("Windows refuses the character \"") + c + "\"";
  }
  if (IsDeviceName(part)) return Quoted(part) + " is the name of a device";
  if (part.back() == '.' || part.back() == ' ') return "Windows drops the dot or blank at the end of " + Quoted(part);
  if (part.size() > 255) return "a part longer than 255 characters";
  return "";
}

char FoldCase(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDF)) return static_cast<char>(u + 32);
  return u == 0xA8 ? '\xB8' : c;  // Ё
}

}  // namespace

bool CheckEncoding(const std::string& bytes, TemplateReport& report) {
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
    report.AtFile(0, "utf16", "the file is UTF-16, the window reads cp1251: save it as cp1251 (ANSI)");
    return false;
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    report.AtFile(0, "utf8-bom",
                  "UTF-8 byte-order mark, which the window reads as \"п»ї\": save the file as cp1251 (ANSI)");
  const size_t utf8 = FirstUtf8Cyrillic(bytes);
  if (utf8 != std::string::npos) {
    size_t end = utf8;
    while (end - utf8 < 24 && CyrillicAt(bytes, end)) end += 2;
    const std::string raw = bytes.substr(utf8, end - utf8);
    std::string word;
    const bool named = toolkit::Utf8ToCp1251(raw, word);
    report.AtFile(utf8, "utf8-text",
                  "UTF-8 text" + (named ? " " + Quoted(word) : std::string()) + " shows as " + Quoted(raw) +
                      " in the window: save the file as cp1251 (ANSI)");
  }
  const size_t zero = bytes.find('\0');
  if (zero != std::string::npos)
    report.AtFile(zero, "nul-byte", "a 0 byte ends the text here for the window: remove it and what it hides");
  return true;
}

void CheckFields(const std::string& text, const std::vector<std::string>& parts, const std::string& rest,
                 TemplateReport& report) {
  std::vector<size_t> starts;
  for (size_t at = 0, i = 0; i < parts.size(); ++i) {
    starts.push_back(at);
    const size_t stop = at + parts[i].size();
    if (stop >= text.size()) break;  // the text ran out inside this field
    // The cutter ended the field at a "|" and dropped it with the next byte.
    if (text.compare(stop, 2, "||") != 0)
      report.AtText(stop, "single-bar",
                    "a single \"|\" ends field " + std::to_string(i + 1) +
                        " here and drops the character after it: a template cannot hold \"|\"");
    at = std::min(text.size(), stop + 2);
  }
  if (starts.size() < 4)
    report.AtText(text.size(), "few-fields",
                  std::to_string(starts.size()) + " fields: " +
                      (starts.size() < 3 ? "the floor block and the top are" : "the top is") +
                      " missing, so the window writes nothing: add \"||\" and what is missing");
  else if (parts[3].empty())
    report.AtText(starts[3], "empty-top", "the top (field 4) is empty, so the window writes nothing: fill it in");
  if (rest.find_first_not_of(" \t\r\n") != std::string::npos)
    report.AtText(text.size() - rest.size(), "extra-text",
                  "the window ignores the text after the fourth \"||\": remove it, or the \"||\" before it");
  for (size_t i = 0; i < starts.size(); ++i) CheckPlaceholders(parts[i], starts[i], report);
}

bool CheckOutputName(const std::string& name, const std::string& folder, const std::string& result,
                     TemplateReport& report) {
  if (name.empty()) {
    report.AtText(0, "empty-name", "field 1, the file name, is empty: nothing is written; put a name before the first \"||\"");
    return false;
  }
  if (!IsPathInside(folder + name, result)) {
    report.AtText(0, "outside", "the window refuses to write " + Quoted(name) + ": " + WhyOutside(name) +
                                    "; give a plain file name");
    return false;
  }
  std::vector<std::string> parts = NameParts(name), folders;
  if (parts.back().empty()) {
    report.AtText(0, "bad-name", "Windows cannot create " + Quoted(name) + ": it names a folder, not a file");
    return false;
  }
  for (const std::string& part : parts) {
    if (part.empty() || part == "." || part == "..") continue;
    const std::string why = WhyWindowsRefuses(part);
    if (why.empty()) continue;
    report.AtText(0, "bad-name", "Windows cannot create " + Quoted(name) + ": " + why);
    return false;
  }
  parts.pop_back();
  for (const std::string& part : parts) {
    if (part == "..") {
      if (!folders.empty()) folders.pop_back();
    } else if (part != ".") {
      folders.push_back(part);
    }
  }
  std::string made;
  for (const std::string& part : folders) made += part + "\\";
  if (!made.empty())
    report.AtText(0, "subfolder", "the window makes no folder " + Quoted(made) + " for " + Quoted(name) +
                                      ": the file is written only where it exists already; drop the folder");
  return true;
}

std::string SameFileKey(const std::string& path) {
  std::vector<std::string> kept;
  for (std::string& part : NameParts(path)) {
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (!part.empty() && part != ".") {
      for (char& c : part) c = FoldCase(c);
      kept.push_back(std::move(part));
    }
  }
  std::string key;
  for (const std::string& part : kept) key += part + "\\";
  return key;
}
