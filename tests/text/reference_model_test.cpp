// The one-sweep cutters and formatters against the literal models, on many
// generated inputs built from the bytes that matter: %, digits, "|", and the
// byte codes 0 and 1 the formatter uses as marks.
#include <gtest/gtest.h>

#include <random>

#include "components/text/strings.h"
#include "tests/text/helpers.h"
#include "tests/text/reference_model.h"

namespace {

using namespace text_test;
using std::string;

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  string Text(size_t maxLength) {
    static const char kAlphabet[] = {'%', '%', '1', '2', '3', '0', '9', '|', '|', 'a', ';', '\0', '\1'};
    string s(Below(maxLength + 1), ' ');
    for (char& c : s) c = kAlphabet[Below(sizeof kAlphabet)];
    return s;
  }
  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
  int32_t Between(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(random_); }

 private:
  std::mt19937 random_;
};

constexpr int kRounds = 4000;

TEST(ReferenceModel, MultiStrPartSplit) {
  DispatchOn on;
  Generator gen(1);
  for (int round = 0; round < kRounds; ++round) {
    const size_t count = gen.Below(5);
    TKestoMultiStrPart cutter(static_cast<uint16_t>(count));
    cutter.Delimiter = gen.Text(3);
    cutter.Skip = gen.Between(-1, 3);
    const string text = gen.Text(40);
    Probe rest, none;
    cutter.Rest = To(rest);
    cutter.NoDelimiter = To(none);
    Fire<&TKestoMultiStrPart::Split>(cutter, StringData(text));

    const reference::Split want = reference::MultiStrPart(text, cutter.Delimiter, count, cutter.Skip);
    const Probe& fired = want.noDelimiter ? none : rest;
    ASSERT_EQ(fired.values.size(), 1u) << round;
    ASSERT_EQ(rest.values.size() + none.values.size(), 1u) << round;
    EXPECT_EQ(fired.values[0].StrValue, want.rest) << round;
    EXPECT_EQ(cutter.Parts, want.parts) << round;
  }
}

TEST(ReferenceModel, FormatStr) {
  DispatchOn on;
  Generator gen(2);
  for (int round = 0; round < kRounds; ++round) {
    const size_t count = gen.Below(5);
    TKestoFormatStr format(static_cast<uint16_t>(count));
    format.Mask = gen.Text(30);
    std::vector<string> values;
    std::vector<Source> sources(count);
    for (size_t i = 0; i < count; ++i) {
      values.push_back(gen.Text(6));
      sources[i].answer = StringData(values.back());
      format.StrSources[i] = From(sources[i]);
    }
    Probe result;
    format.Result = To(result);
    Fire<&TKestoFormatStr::Format>(format);
    ASSERT_EQ(result.values.size(), 1u);
    EXPECT_EQ(result.values[0].StrValue, reference::FormatStr(format.Mask, values)) << round;
  }
}

// Answers Skip from a fixed pattern and notes the positions it was asked for.
struct PatternSkip {
  const TKestoReplace* replace;
  std::vector<int32_t> answers;
  std::vector<size_t> positions;
  void Get(TData& d, uint16_t) {
    positions.push_back(static_cast<size_t>(replace->Position));
    SetInteger(d, answers[(positions.size() - 1) % answers.size()]);
  }
};

TEST(ReferenceModel, ReplaceWithSkips) {
  DispatchOn on;
  Generator gen(3);
  for (int round = 0; round < kRounds; ++round) {
    TKestoReplace replace;
    replace.SubStr = gen.Text(3);
    replace.DestStr = gen.Text(4);
    const string text = gen.Text(40);
    std::vector<int32_t> answers{gen.Between(0, 1), gen.Between(0, 1), gen.Between(0, 2)};
    PatternSkip skip{&replace, answers, {}};
    replace.SkipSource = Link<&PatternSkip::Get>(&skip);
    Probe result;
    replace.Result = To(result);
    Fire<&TKestoReplace::Replace>(replace, StringData(text));

    std::vector<size_t> wantPositions;
    const string want = reference::Replace(text, replace.SubStr, replace.DestStr, [&](size_t p) {
      wantPositions.push_back(p);
      return answers[(wantPositions.size() - 1) % answers.size()];
    });
    ASSERT_EQ(result.values.size(), 1u);
    EXPECT_EQ(result.values[0].StrValue, want) << round;
    EXPECT_EQ(skip.positions, wantPositions) << round;
  }
}

TEST(ReferenceModel, Insert) {
  DispatchOn on;
  Generator gen(4);
  for (int round = 0; round < kRounds; ++round) {
    TKestoInsert insert;
    insert.Str = gen.Text(8);
    insert.SubStr = gen.Text(3);
    insert.Position = gen.Below(8) == 0 ? (gen.Below(2) ? INT32_MAX : INT32_MIN) : gen.Between(-3, 12);
    insert.Direction = static_cast<uint8_t>(gen.Below(3));
    Probe result;
    insert.Result = To(result);
    Fire<&TKestoInsert::Insert>(insert);
    if (insert.Str.empty()) {
      EXPECT_TRUE(result.values.empty());
      continue;
    }
    ASSERT_EQ(result.values.size(), 1u);
    EXPECT_EQ(result.values[0].StrValue,
              reference::InsertAt(insert.Str, insert.SubStr, insert.Position, insert.Direction))
        << round;
  }
}

}  // namespace
