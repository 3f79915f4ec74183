#include "components/net/signed_update.h"

namespace signed_update {

namespace {

constexpr char kDigits[] = "0123456789abcdef";

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool ParseKey(const std::string& line, std::string& point) {
  const size_t first = line.find_first_not_of(" \t\r\n");
  const size_t last = line.find_last_not_of(" \t\r\n");
  if (first == std::string::npos) return false;
  const std::string key = line.substr(first, last - first + 1);
  const size_t prefix = sizeof kKeyPrefix - 1;
  if (key.size() != prefix + 2 * kPointSize || key.compare(0, prefix, kKeyPrefix) != 0) return false;
  std::string bytes;
  for (size_t at = prefix; at < key.size(); at += 2) {
    const int high = DigitValue(key[at]), low = DigitValue(key[at + 1]);
    if (high < 0 || low < 0) return false;
    bytes += static_cast<char>(high << 4 | low);
  }
  point = std::move(bytes);
  return true;
}

std::string KeyLine(const std::string& point) {
  std::string line = kKeyPrefix;
  for (unsigned char b : point) {
    line += kDigits[b >> 4];
    line += kDigits[b & 15];
  }
  return line;
}

std::string ArchiveName(int version) { return "upd" + std::to_string(version) + ".zip"; }

std::string MessageHead(const std::string& archiveName) { return archiveName + '\0'; }

}  // namespace signed_update
