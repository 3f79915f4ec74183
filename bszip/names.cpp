#include "bszip/names.h"

#include <cstring>
#include <vector>

namespace bszip {

namespace {

constexpr uint16_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool DecodeUtf8(const std::string& s, std::vector<uint32_t>& out) {
  out.clear();
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    unsigned char b = *p++;
    if (b < 0x80) {
      out.push_back(b);
      continue;
    }
    int more;
    uint32_t c, least;
    if ((b & 0xE0) == 0xC0) more = 1, c = b & 0x1F, least = 0x80;
    else if ((b & 0xF0) == 0xE0) more = 2, c = b & 0x0F, least = 0x800;
    else if ((b & 0xF8) == 0xF0) more = 3, c = b & 0x07, least = 0x10000;
    else return false;
    if (end - p < more) return false;
    for (int i = 0; i < more; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      c = (c << 6) | (p[i] & 0x3F);
    }
    p += more;
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    out.push_back(c);
  }
  return true;
}

// Simple upper-case mapping for the scripts names are written in.
uint32_t Upper(uint32_t c) {
  if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 0x20 : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c == 0x17F) return 'S';
  if (c == 0x131) return 'I';
  if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: pairs
    if ((c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~1u;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : c - 0x20;  // Greek
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;  // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
    return c & ~1u;
  if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c : c - 1;
  if (c == 0x4CF) return 0x4C0;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;  // full-width Latin
  return c;
}

bool EqualsUpper(const std::string& s, const char* upper) {
  if (s.size() != std::strlen(upper)) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
    if (c != upper[i]) return false;
  }
  return true;
}

// CON, NUL, COM1, LPT¹ ... are devices in every folder and with any
// extension; spaces before the extension do not change that.
bool IsDeviceName(const std::string& part) {
  std::string base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (EqualsUpper(base, device)) return true;
  if (base.size() < 4) return false;
  std::string stem = base.substr(0, 3);
  if (!EqualsUpper(stem, "COM") && !EqualsUpper(stem, "LPT")) return false;
  std::string digit = base.substr(3);
  if (digit.size() == 1) return digit[0] >= '0' && digit[0] <= '9';
  return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";  // superscript 1, 2, 3
}

Code CheckPart(const std::string& part) {
  if (part.empty() || part == "." || part == "..") return kUnsafeName;
  // Only a short part can fold to the staging folder's name.
  static const std::string staging = NameKey(kStagingName);
  if (part.size() <= 2 * staging.size() && NameKey(part) == staging) return kUnsafeName;
  if (part.back() == '.' || part.back() == ' ') return kUnsafeName;
  for (unsigned char c : part)
    if (c < 0x20 || std::strchr("<>:\"|?*", c)) return kUnsafeName;
  if (IsDeviceName(part)) return kUnsafeName;
  size_t characters = 0;
  for (unsigned char c : part) characters += (c & 0xC0) != 0x80;
  return characters > 255 ? kUnsafeName : kOk;
}

}  // namespace

bool DecodeName(const std::string& raw, bool utf8Flag, std::string& name) {
  name.clear();
  if (utf8Flag) {
    std::vector<uint32_t> points;
    if (!DecodeUtf8(raw, points)) return false;
    name = raw;
  } else {
    for (unsigned char b : raw) AppendUtf8(name, b < 0x80 ? b : kCp866High[b - 0x80]);
  }
  for (char& c : name)
    if (c == '\\') c = '/';
  return true;
}

Code CheckName(const std::string& name) {
  // "/x", "//server/share", "//?/C:", "//./device" all start with "/";
  // "C:x" and "x:stream" hold a colon.
  if (name.empty() || name[0] == '/' || name.find(':') != std::string::npos) return kUnsafeName;
  std::vector<uint32_t> points;
  if (!DecodeUtf8(name, points)) return kUnsafeName;
  const size_t end = name.back() == '/' ? name.size() - 1 : name.size();
  size_t units = 0, parts = 1;
  for (uint32_t c : points) {
    units += c >= 0x10000 ? 2 : 1;
    parts += c == '/';
  }
  if (end < name.size()) --units, --parts;  // a folder's final "/" is not written
  if (units > kMaxNameUnits || parts > kMaxNameParts) return kUnsafeName;
  size_t from = 0;
  for (;;) {
    size_t cut = name.find('/', from);
    if (cut == std::string::npos || cut > end) cut = end;
    if (Code c = CheckPart(name.substr(from, cut - from))) return c;
    if (cut == end) return kOk;
    from = cut + 1;
  }
}

std::string LastPart(const std::string& path) {
  size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsExecutableName(const std::string& name) {
  static const char* const kTypes[] = {
      "EXE", "DLL", "COM", "SCR", "CPL", "OCX", "SYS", "DRV", "EFI", "BAT", "CMD", "PS1", "PSM1",
      "PSD1", "VBS", "VBE", "JS", "JSE", "WSF", "WSH", "HTA", "MSI", "MSP", "MST", "LNK", "PIF",
      "REG", "INF", "SCF", "URL", "JAR", "MANIFEST", "LOCAL", "APPLICATION", "APPREF-MS", "GADGET",
      "MSC", "CHM", "XLL", "CAB"};
  const std::string last = LastPart(name);
  const size_t dot = last.find_last_of('.');
  if (dot == std::string::npos) return false;
  const std::string type = last.substr(dot + 1);
  for (const char* t : kTypes)
    if (EqualsUpper(type, t)) return true;
  return false;
}

std::string NameKey(const std::string& name) {
  std::vector<uint32_t> points;
  std::string key;
  if (!DecodeUtf8(name, points)) return name;  // refused by CheckName anyway
  for (uint32_t c : points) AppendUtf8(key, c == '\\' ? '/' : Upper(c));
  while (!key.empty() && key.back() == '/') key.pop_back();
  return key;
}

}  // namespace bszip
