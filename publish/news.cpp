#include "publish/news.h"

#include "toolkit/utf8.h"

namespace publish {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The character's bytes as they stand, when they make one UTF-8 character.
bool CharacterAt(const std::string& text, size_t at, std::string& character) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
  if (length == 0 || at + length > text.size()) return false;
  for (size_t i = 1; i < length; ++i)
    if (!IsContinuation(text[at + i])) return false;
  character = text.substr(at, length);
  return true;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace

bool NewsToCp1251(const std::string& utf8, std::string& cp1251, std::string& error) {
  const std::string text = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? utf8.substr(3) : utf8;
  size_t failedAt = 0;
  std::string converted;
  if (toolkit::Utf8ToCp1251(text, converted, failedAt)) {
    cp1251 = WithCrLf(converted);
    return true;
  }
  size_t line = 1, column = 1;
  for (size_t i = 0; i < failedAt; ++i) {
    if (text[i] == '\n') line++, column = 1;
    else if (!IsContinuation(text[i])) column++;
  }
  std::string character;
  error = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
          (CharacterAt(text, failedAt, character) ? "\"" + character + "\" has no cp1251 form"
                                                  : std::string("bytes that are not UTF-8"));
  return false;
}

}  // namespace publish
