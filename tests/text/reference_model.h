// Slow, obviously correct models of the cutters and formatters: the steps
// written out literally with 1-based positions and in-place delete/insert.
// The components build their results in one sweep; these must agree.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace reference {

using std::string;

// Position of sub in s at or after from (1-based); 0 when absent or sub empty.
inline size_t Pos(const string& sub, const string& s, size_t from = 1) {
  if (sub.empty() || from < 1) return 0;
  for (size_t p = from; p + sub.size() <= s.size() + 1; ++p)
    if (s.compare(p - 1, sub.size(), sub) == 0) return p;
  return 0;
}

// Deletes count characters at p (1-based), clipped to the string.
inline void Delete(string& s, size_t p, size_t count) {
  if (p < 1 || p > s.size()) return;
  s.erase(p - 1, count);
}

// Inserts sub at p; below 1 counts as 1, past the end as the end.
inline void Insert(const string& sub, string& s, int64_t p) {
  if (p < 1) p = 1;
  if (p > static_cast<int64_t>(s.size()) + 1) p = static_cast<int64_t>(s.size()) + 1;
  s.insert(static_cast<size_t>(p - 1), sub);
}

struct Split {
  bool noDelimiter = false;
  std::vector<string> parts;
  string rest;  // what Rest or NoDelimiter fires with
};

inline Split MultiStrPart(string t, const string& delimiter, size_t count, int32_t skip) {
  Split out;
  out.parts.assign(count, "");
  if (Pos(delimiter, t) == 0) {
    out.noDelimiter = true;
    out.rest = t;
    return out;
  }
  auto cut = [&]() {
    size_t p = 0;
    for (size_t i = 1; i <= t.size() && p == 0; ++i)
      if (delimiter.find(t[i - 1]) != string::npos) p = i;
    if (p == 0) {
      string token = t;
      t.clear();
      return token;
    }
    string token = t.substr(0, p - 1);
    Delete(t, 1, p - 1 + delimiter.size());
    return token;
  };
  // Every cut shortens t, so 1000 cuts exhaust any text the tests use.
  for (int32_t i = 0; i < skip && i < 1000; ++i) cut();
  for (size_t i = 0; i < count; ++i) out.parts[i] = cut();
  out.rest = t;
  return out;
}

inline string FormatStr(const string& mask, const std::vector<string>& values) {
  string value = mask;
  for (size_t p = Pos("%%", value); p != 0; p = Pos("%%", value, p + 1)) {
    Delete(value, p, 2);
    Insert(string(1, '\0'), value, static_cast<int64_t>(p));
  }
  for (size_t i = 1; i <= values.size(); ++i) {
    const string key = "%" + std::to_string(i);
    const string v = values[i - 1];
    size_t p = Pos(key, value);
    while (p != 0) {
      size_t next = p + key.size();  // 1-based position of the following character
      if (next <= value.size() && value[next - 1] >= '0' && value[next - 1] <= '9') {
        p = Pos(key, value, p + 1);
        continue;
      }
      Delete(value, p, key.size());
      Insert(string(1, '\1') + v, value, static_cast<int64_t>(p));
      p = Pos(key, value, p + 1 + v.size());
    }
  }
  for (size_t p = Pos(string(1, '\1'), value); p != 0; p = Pos(string(1, '\1'), value)) Delete(value, p, 1);
  for (char& c : value)
    if (c == '\0') c = '%';
  return value;
}

// skip(position) answers the Skip data point for the occurrence at position.
inline string Replace(string text, const string& s, const string& r,
                      const std::function<int32_t(size_t)>& skip) {
  if (text.empty()) return text;
  size_t p = Pos(s, text);
  while (p > 0) {
    if (skip(p) == 0) {
      Delete(text, p, s.size());
      Insert(r, text, static_cast<int64_t>(p));
      p = Pos(s, text, p + r.size());
    } else {
      p = Pos(s, text, p + 1);
    }
  }
  return text;
}

inline string InsertAt(string s, const string& sub, int32_t position, uint8_t direction) {
  int64_t p = position;
  if (direction == 1) p = static_cast<int64_t>(s.size()) - p + 2;
  Insert(sub, s, p);
  return s;
}

}  // namespace reference
