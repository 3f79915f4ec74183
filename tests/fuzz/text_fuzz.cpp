// Arbitrary bytes through the cutters, formatters and the string list's text
// form. Small inputs are also checked against the literal reference models.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "components/text/strings.h"
#include "tests/text/helpers.h"
#include "tests/text/reference_model.h"
#include "toolkit/strlist.h"

namespace {

using namespace text_test;
using std::string;

void Check(bool holds) {
  if (!holds) std::abort();
}

void FuzzSplit(FuzzedDataProvider& in) {
  TKestoMultiStrPart cutter(in.ConsumeIntegralInRange<uint16_t>(0, 6));
  cutter.Skip = in.ConsumeIntegral<int32_t>();
  cutter.Delimiter = in.ConsumeRandomLengthString(8);
  const string text = in.ConsumeRemainingBytesAsString();
  Probe rest, none;
  cutter.Rest = To(rest);
  cutter.NoDelimiter = To(none);
  Fire<&TKestoMultiStrPart::Split>(cutter, StringData(text));
  Check(rest.values.size() + none.values.size() == 1);
  if (text.size() >= 1000) return;  // the model stops skipping after 1000 cuts
  reference::Split want = reference::MultiStrPart(text, cutter.Delimiter, cutter.Count, cutter.Skip);
  Check(want.noDelimiter == !none.values.empty());
  Check((want.noDelimiter ? none : rest).values[0].StrValue == want.rest);
  Check(cutter.Parts == want.parts);
}

void FuzzFormat(FuzzedDataProvider& in) {
  // Values may hold later placeholders, so the text can grow by a factor per
  // pass; small sizes keep every run fast.
  const uint16_t count = in.ConsumeIntegralInRange<uint16_t>(0, 3);
  TKestoFormatStr format(count);
  format.Mask = in.ConsumeRandomLengthString(128);
  std::vector<string> values;
  std::vector<Source> sources(count);
  for (uint16_t i = 0; i < count; ++i) {
    values.push_back(in.ConsumeRandomLengthString(8));
    sources[i].answer = StringData(values.back());
    format.StrSources[i] = From(sources[i]);
  }
  Probe result;
  format.Result = To(result);
  Fire<&TKestoFormatStr::Format>(format);
  Check(result.values.size() == 1);
  Check(result.values[0].StrValue == reference::FormatStr(format.Mask, values));
}

struct PatternSkip {
  string pattern;
  size_t asked = 0;
  void Get(TData& d, uint16_t) {
    SetInteger(d, pattern.empty() ? 0 : pattern[asked++ % pattern.size()] & 1);
  }
};

void FuzzReplace(FuzzedDataProvider& in) {
  TKestoReplace replace;
  replace.SubStr = in.ConsumeRandomLengthString(4);
  replace.DestStr = in.ConsumeRandomLengthString(8);
  PatternSkip skip{in.ConsumeRandomLengthString(4)};
  replace.SkipSource = Link<&PatternSkip::Get>(&skip);
  const string text = in.ConsumeRandomLengthString(512);
  Probe result;
  replace.Result = To(result);
  Fire<&TKestoReplace::Replace>(replace, StringData(text));
  Check(result.values.size() == 1);
  size_t asked = 0;
  const string want = reference::Replace(text, replace.SubStr, replace.DestStr, [&](size_t) {
    return skip.pattern.empty() ? 0 : skip.pattern[asked++ % skip.pattern.size()] & 1;
  });
  Check(result.values[0].StrValue == want);
}

void FuzzInsert(FuzzedDataProvider& in) {
  TKestoInsert insert;
  insert.Position = in.ConsumeIntegral<int32_t>();
  insert.Direction = in.ConsumeIntegralInRange<uint8_t>(0, 2);
  insert.SubStr = in.ConsumeRandomLengthString(16);
  insert.Str = in.ConsumeRemainingBytesAsString();
  Probe result;
  insert.Result = To(result);
  Fire<&TKestoInsert::Insert>(insert);
  if (insert.Str.empty()) return Check(result.values.empty());
  Check(result.values.size() == 1);
  Check(result.values[0].StrValue ==
        reference::InsertAt(insert.Str, insert.SubStr, insert.Position, insert.Direction));
}

void FuzzStrList(FuzzedDataProvider& in) {
  const string text = in.ConsumeRemainingBytesAsString();
  TStrList list;
  list.SetText(text);
  size_t size = 0;
  for (const string& line : list.Lines()) {
    Check(line.find('\r') == string::npos && line.find('\0') == string::npos);
    size += line.size() + 2;
  }
  const string form = list.Text();
  Check(form.size() == size);
  TStrList again;
  again.SetText(form);
  Check(again.Lines() == list.Lines());
  if (!text.empty() && text.find_first_of(string("\r\0", 2)) == string::npos)
    Check(list.Lines() == std::vector<string>{text});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool switched = (SwitchDispatchOn(), true);
  (void)switched;
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: FuzzSplit(in); break;
    case 1: FuzzFormat(in); break;
    case 2: FuzzReplace(in); break;
    case 3: FuzzInsert(in); break;
    default: FuzzStrList(in); break;
  }
  return 0;
}
