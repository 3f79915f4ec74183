#include "components/text/strings.h"

#include <algorithm>
#include <bitset>
#include <vector>

#include "runtime/dispatch.h"
#include "runtime/pull.h"

namespace {

// Format marks: a literal "%" hides as byte 0 while the placeholders are
// filled, and byte 1 fences every inserted value; both are settled at the end.
constexpr char kPercentMark = '\0';
constexpr char kValueMark = '\1';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The delimiter's bytes, as a set.
class ByteSet {
 public:
  explicit ByteSet(const std::string& bytes) {
    for (char c : bytes) set_[static_cast<unsigned char>(c)] = true;
  }
  bool Has(char c) const { return set_[static_cast<unsigned char>(c)]; }

 private:
  std::bitset<256> set_;
};

// Cuts the token that starts at `at`: it ends before the first byte of the
// set, and a whole delimiter's length is dropped from there.
std::string CutToken(const std::string& text, size_t& at, const ByteSet& stops,
                     size_t delimiterLength) {
  size_t stop = at;
  while (stop < text.size() && !stops.Has(text[stop])) ++stop;
  std::string token(text, at, stop - at);
  at = stop == text.size() ? stop : std::min(text.size(), stop + delimiterLength);
  return token;
}

// "%%" becomes the percent mark, left to right.
std::string HidePercents(const std::string& mask) {
  std::string out(mask.size(), '\0');
  char* w = &out[0];
  for (size_t i = 0; i < mask.size(); ++i) {
    const bool pair = mask[i] == '%' && i + 1 < mask.size() && mask[i + 1] == '%';
    *w++ = pair ? kPercentMark : mask[i];
    i += pair;
  }
  out.resize(static_cast<size_t>(w - out.data()));
  return out;
}

// One pass: every key not followed by a digit becomes the value mark and the
// value; the search goes on behind the inserted text. The occurrences are
// found first so that the result is allocated once, at its final size.
void FillPlaceholder(std::string& text, const std::string& key, const std::string& value) {
  std::vector<size_t> hits;
  for (size_t found = text.find(key); found != std::string::npos;) {
    size_t after = found + key.size();
    if (after < text.size() && IsDigit(text[after])) {
      found = text.find(key, found + 1);
      continue;
    }
    hits.push_back(found);
    found = text.find(key, after);
  }
  if (hits.empty()) return;
  std::string out;
  out.reserve(text.size() - hits.size() * key.size() + hits.size() * (1 + value.size()));
  size_t copied = 0;
  for (size_t hit : hits) {
    out.append(text, copied, hit - copied);
    out += kValueMark;
    out += value;
    copied = hit + key.size();
  }
  out.append(text, copied, std::string::npos);
  text.swap(out);
}

// Drops the value marks and turns percent marks back into "%".
std::string SettleMarks(const std::string& text) {
  std::string out(text.size(), '\0');
  char* w = &out[0];
  for (char c : text) {
    *w = c == kPercentMark ? '%' : c;
    w += c != kValueMark;
  }
  out.resize(static_cast<size_t>(w - out.data()));
  return out;
}

}  // namespace

void TKestoStrCat::Concat(TData& data, uint16_t) {
  std::string a = PullString(data, Str1Source, Str1);
  std::string b = PullString(data, Str2Source, Str2);
  value_ = a + b;
  ForwardString(data, Result, value_);
}

void TKestoStrCat::Value(TData& data, uint16_t) { SetString(data, value_); }

void TKestoStrCatDelim::Concat(TData& data, uint16_t) {
  std::string a = PullString(data, Str1Source, Str1);
  std::string b = PullString(data, Str2Source, Str2);
  std::string d = PullString(data, DelimiterSource, Delimiter);
  value_ = a + d + b;
  ForwardString(data, Result, value_);
}

void TKestoStrCatDelim::Value(TData& data, uint16_t) { SetString(data, value_); }

void TKestoReplace::Replace(TData& data, uint16_t) {
  // Work on a local copy: a Skip source may start this component again.
  const std::string source = PullString(data, TextSource, "");
  Text = source;
  const std::string s = PullString(data, SubStrSource, SubStr);
  const std::string r = PullString(data, DestStrSource, DestStr);
  size_t found = s.empty() ? std::string::npos : source.find(s);
  if (found == std::string::npos) {
    ForwardString(data, Result, source);
    return;
  }
  std::string edited;
  edited.reserve(source.size());
  size_t copied = 0;
  while (found != std::string::npos) {
    Position = static_cast<int32_t>(edited.size() + (found - copied) + 1);
    if (AskInteger(SkipSource) != 0) {
      found = source.find(s, found + 1);
      continue;
    }
    edited.append(source, copied, found - copied);
    edited += r;
    copied = found + s.size();
    found = source.find(s, copied);
  }
  edited.append(source, copied, std::string::npos);
  Text = edited;
  ForwardString(data, Result, std::move(edited));
}

void TKestoMultiStrPart::Split(TData& data, uint16_t) {
  for (std::string& part : Parts) part.clear();
  std::string t = PullString(data, TextSource, "");
  if (Delimiter.empty() || t.find(Delimiter) == std::string::npos) {
    ForwardString(data, NoDelimiter, std::move(t));
    return;
  }
  const ByteSet stops(Delimiter);
  size_t at = 0;
  // An exhausted text stays exhausted: no need to go on skipping.
  for (int32_t i = 0; i < Skip && at < t.size(); ++i) CutToken(t, at, stops, Delimiter.size());
  for (std::string& part : Parts) part = CutToken(t, at, stops, Delimiter.size());
  ForwardString(data, Rest, t.substr(at));
}

void TKestoMultiStrPart::Part(TData& data, uint16_t index) {
  SetString(data, index < Parts.size() ? Parts[index] : std::string());
}

void TKestoFormatStr::Format(TData& data, uint16_t) {
  std::string value = HidePercents(Mask);
  for (unsigned i = 1; i <= Count; ++i) {
    Placeholder = "%" + std::to_string(i);
    std::string v = PullString(data, StrSources[i - 1], "");
    FillPlaceholder(value, Placeholder, v);
  }
  Value = SettleMarks(value);
  ForwardString(data, Result, Value);
}

void TKestoFormatStr::SetMask(TData& data, uint16_t) { Mask = ValueToString(data); }

void TKestoInsert::Insert(TData& data, uint16_t) {
  std::string s = PullString(data, StrSource, Str);
  if (s.empty()) return;
  std::string sub = PullString(data, SubStrSource, SubStr);
  int64_t pos = PullInteger(data, PositionSource, Position);
  const int64_t length = static_cast<int64_t>(s.size());
  if (Direction == 1) pos = length - pos + 2;
  pos = std::clamp<int64_t>(pos, 1, length + 1);
  s.insert(static_cast<size_t>(pos - 1), sub);
  ForwardString(data, Result, std::move(s));
}
