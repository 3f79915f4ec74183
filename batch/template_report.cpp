#include "batch/template_report.h"

#include <algorithm>
#include <cstdio>

TemplateReport::TemplateReport(std::string path, const std::string& bytes, const std::vector<std::string>& lines,
                               std::vector<TemplateProblem>& problems)
    : path_(std::move(path)), problems_(problems) {
  editorLines_.push_back(0);
  for (size_t at = 0; at < bytes.size(); ++at) {
    const bool crlf = bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n';
    if (bytes[at] == '\n' || bytes[at] == '\r') editorLines_.push_back(at + 1 + crlf);
    at += crlf;
  }
  // Each list line sits in the file where the one before it ended: after
  // its CR, and after the LF that may follow that CR.
  size_t text = 0, file = 0;
  for (const std::string& line : lines) {
    pieces_.push_back({text, file, line.size()});
    text += line.size() + 2;
    file += line.size() + 1;
    if (file < bytes.size() && bytes[file] == '\n' && bytes[file - 1] == '\r') ++file;
  }
}

void TemplateReport::AtFile(size_t fileOffset, const char* code, const std::string& message) {
  // A file full of one mistake would otherwise give a line for every byte or two.
  if (++reported_ > kMostPerFile) return;
  const bool last = reported_ == kMostPerFile;
  const auto next = std::upper_bound(editorLines_.begin(), editorLines_.end(), fileOffset);
  const int line = static_cast<int>(next - editorLines_.begin());
  problems_.push_back({path_, line, static_cast<int>(fileOffset - *(next - 1) + 1), last ? "too-many" : code,
                       last ? "more problems follow in this file: fix these, then check again" : message});
}

void TemplateReport::AtText(size_t textOffset, const char* code, const std::string& message) {
  auto piece = std::upper_bound(pieces_.begin(), pieces_.end(), textOffset,
                                [](size_t at, const Piece& p) { return at < p.text; });
  if (piece == pieces_.begin()) return AtFile(0, code, message);
  --piece;
  AtFile(piece->file + std::min(textOffset - piece->text, piece->length), code, message);
}

std::string Quoted(const std::string& text, size_t limit) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    if (i == limit) {
      out += "...";
      break;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c < 32) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}
