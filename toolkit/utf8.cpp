#include "toolkit/utf8.h"

#include <cstdint>

namespace toolkit {

namespace {

// The code points of the bytes 0x80..0xFF; 0x98 has none and keeps its own.
constexpr uint16_t kHigh[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next code point of `s` from `at`, or -1 for a malformed sequence.
// Only what cp1251 could hold matters, so 4-byte forms count as malformed.
int32_t NextCodePoint(const std::string& s, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  const uint8_t lead = byte(at++);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
  if (extra < 0 || at + static_cast<size_t>(extra) > s.size()) return -1;
  const int32_t least = extra == 1 ? 0x80 : 0x800;  // shorter forms are overlong
  int32_t c = lead & (extra == 1 ? 0x1F : 0x0F);
  for (; extra > 0; --extra) {
    if ((byte(at) & 0xC0) != 0x80) return -1;
    c = c << 6 | (byte(at++) & 0x3F);
  }
  return c < least ? -1 : c;
}

int ToCp1251(int32_t c) {
  if (c < 0x80) return c;
  for (int i = 0; i < 128; ++i)
    if (kHigh[i] == c) return 0x80 + i;
  return -1;
}

}  // namespace

std::string Cp1251ToUtf8(const std::string& cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (char ch : cp1251) {
    const uint8_t b = static_cast<uint8_t>(ch);
    AppendUtf8(out, b < 0x80 ? b : kHigh[b - 0x80]);
  }
  return out;
}

bool Utf8ToCp1251(const std::string& utf8, std::string& cp1251) {
  size_t failedAt = 0;
  return Utf8ToCp1251(utf8, cp1251, failedAt);
}

bool Utf8ToCp1251(const std::string& utf8, std::string& cp1251, size_t& failedAt) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const size_t start = at;
    const int32_t c = NextCodePoint(utf8, at);
    const int b = c < 0 ? -1 : ToCp1251(c);
    if (b < 0) {
      failedAt = start;
      return false;
    }
    out += static_cast<char>(b);
  }
  cp1251 = std::move(out);
  return true;
}

}  // namespace toolkit
