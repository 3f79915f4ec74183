#include "batch/jobs.h"

#include <algorithm>

#include "toolkit/utf8.h"

namespace {

bool AllDigits(const std::string& s) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> words;
  size_t at = 0;
  while ((at = s.find_first_not_of(' ', at)) != std::string::npos) {
    const size_t end = std::min(s.find(' ', at), s.size());
    words.push_back(s.substr(at, end - at));
    at = end;
  }
  return words;
}

bool HexColour(const std::string& s, int rgb[3]) {
  if (s.size() != 7) return false;
  for (int i = 0; i < 3; ++i) {
    const int high = HexDigit(s[1 + 2 * i]), low = HexDigit(s[2 + 2 * i]);
    if (high < 0 || low < 0) return false;
    rgb[i] = high * 16 + low;
  }
  return true;
}

// A name as the window's edit box would hand it on: cp1251, unchecked
// otherwise, but it must be there.
bool Name(const std::string& utf8, const char* what, std::string& cp1251, std::string& error) {
  if (utf8.empty()) {
    error = std::string("missing ") + what;
    return false;
  }
  if (!toolkit::Utf8ToCp1251(utf8, cp1251)) {
    error = std::string(what) + " \"" + utf8 + "\" has a character cp1251 cannot hold";
    return false;
  }
  return true;
}

}  // namespace

bool ColourText(const std::string& colour, std::string& text, std::string& error) {
  if (colour.empty()) {
    text.clear();
    return true;
  }
  int rgb[3];
  if (colour[0] == '#') {
    if (!HexColour(colour, rgb)) {
      error = "colour \"" + colour + "\" is not #RRGGBB";
      return false;
    }
  } else {
    const std::vector<std::string> words = Words(colour);
    if (words.size() != 3) {
      error = "colour \"" + colour + "\" is not \"R G B\" or #RRGGBB";
      return false;
    }
    for (int i = 0; i < 3; ++i) {
      if (!AllDigits(words[i]) || std::stoi(words[i]) > 255) {
        error = "colour \"" + colour + "\" out of range: each of R G B must be 0..255";
        return false;
      }
      rgb[i] = std::stoi(words[i]);
    }
  }
  // The window's text: the three parts in decimal, joined by single blanks.
  text = std::to_string(rgb[0]) + " " + std::to_string(rgb[1]) + " " + std::to_string(rgb[2]);
  return true;
}

bool MakeInputs(const JobFields& fields, BatchInputs& inputs, std::string& error) {
  if (fields.floors.empty()) {
    error = "missing floor count";
    return false;
  }
  // The window's spinner goes from 1 to 101 and shows plain decimal.
  if (!AllDigits(fields.floors) || std::stoi(fields.floors) < 1 || std::stoi(fields.floors) > 101) {
    error = "floor count \"" + fields.floors + "\" outside 1..101";
    return false;
  }
  BatchInputs made;
  made.floors = std::to_string(std::stoi(fields.floors));
  if (!Name(fields.english, "English name", made.english, error) ||
      !Name(fields.russian, "Russian name", made.russian, error))
    return false;
  std::string why;
  if (!ColourText(fields.colour1, made.colour1, why)) {
    error = "colour 1: " + why;
    return false;
  }
  if (!ColourText(fields.colour2, made.colour2, why)) {
    error = "colour 2: " + why;
    return false;
  }
  inputs = made;
  return true;
}

namespace {

// One CSV record: fields split at commas; a field in double quotes may hold
// commas, and "" inside it stands for one quote. False when a quote is left
// open or stray text follows a closing one.
bool SplitRecord(const std::string& line, std::vector<std::string>& fields) {
  fields.assign(1, "");
  for (size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (c == ',') {
      fields.emplace_back();
    } else if (c == '"' && fields.back().empty()) {
      size_t end = at + 1;
      for (;; ++end) {
        if (end >= line.size()) return false;
        if (line[end] != '"') {
          fields.back() += line[end];
        } else if (end + 1 < line.size() && line[end + 1] == '"') {
          fields.back() += '"';
          ++end;
        } else {
          break;
        }
      }
      at = end;
      if (at + 1 < line.size() && line[at + 1] != ',') return false;
    } else {
      fields.back() += c;
    }
  }
  return true;
}

const char kHeader[] = "floors,en,ru,colour1,colour2";

}  // namespace

bool ParseJobFile(const std::string& bytes, std::vector<JobLine>& jobs, std::string& error) {
  std::string text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
  bool header = true;
  int number = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = std::min(text.find('\n', at), text.size());
    std::string line = text.substr(at, end - at);
    at = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (header) {
      if (line != kHeader) {
        error = "line " + std::to_string(number) + ": the header must be \"" + kHeader + "\"";
        return false;
      }
      header = false;
      continue;
    }
    JobLine job{number, {}, {}};
    std::vector<std::string> f;
    if (!SplitRecord(line, f))
      job.error = "a quoted field is not closed properly";
    else if (f.size() != 5)
      job.error = std::to_string(f.size()) + " fields, expected 5 (" + kHeader + ")";
    else
      MakeInputs({f[0], f[1], f[2], f[3], f[4]}, job.inputs, job.error);
    jobs.push_back(job);
  }
  if (header) {
    error = std::string("no header \"") + kHeader + "\"";
    return false;
  }
  return true;
}
