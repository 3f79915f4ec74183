#include "toolkit/strlist.h"

#include <algorithm>

#include "toolkit/file_bytes.h"

void TStrList::AddText(const std::string& text) {
  const size_t end = std::min(text.find('\0'), text.size());
  size_t at = 0;
  while (at < end) {
    size_t cr = text.find('\r', at);
    if (cr >= end) {
      lines_.emplace_back(text, at, end - at);
      return;
    }
    lines_.emplace_back(text, at, cr - at);
    at = cr + 1;
    if (at < end && text[at] == '\n') ++at;
  }
}

void TStrList::SetText(const std::string& text) {
  lines_.clear();
  AddText(text);
}

std::string TStrList::Text() const {
  size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool TStrList::LoadFromFile(const std::string& name, uint64_t limit) {
  std::string bytes;
  if (!toolkit::ReadFileBytes(name, bytes, limit)) return false;
  SetText(bytes);
  return true;
}

bool TStrList::SaveToFile(const std::string& name) const {
  return toolkit::WriteFileBytes(name, Text());
}
