#include <gtest/gtest.h>

#include "components/text/convert.h"
#include "components/text/strings.h"
#include "tests/text/helpers.h"
#include "toolkit/stream.h"

namespace {

using namespace text_test;
using std::string;

TEST(StrCat, UnlinkedPointsConsumeTheChainInOrder) {
  DispatchOn on;
  TKestoStrCat cat;
  Probe result;
  cat.Result = To(result);
  Fire<&TKestoStrCat::Concat>(cat, Chain{StringData("a"), StringData("b")}.Head());
  Fire<&TKestoStrCat::Concat>(cat, StringData("a"));
  EXPECT_EQ(Strings(result), (Texts{"ab", "a"}));
  TData value;
  cat.Value(value, 0);
  EXPECT_EQ(value.StrValue, "a");
}

TEST(StrCat, LinkedSourceBeforeAPropertyDefault) {
  DispatchOn on;
  TKestoStrCat cat;
  Source folder;
  folder.answer = StringData("C:\\Prog\\");
  cat.Str1Source = From(folder);
  cat.Str2 = "result\\";
  Probe result;
  cat.Result = To(result);
  Fire<&TKestoStrCat::Concat>(cat, StringData("ignored"));
  EXPECT_EQ(Strings(result), Texts{"C:\\Prog\\result\\"});
}

TEST(StrCatDelim, DelimiterAlwaysAndReadLast) {
  DispatchOn on;
  TKestoStrCatDelim first, second;
  first.Delimiter = second.Delimiter = " ";
  Source r, g, b;
  r.answer = IntegerData(255);
  g.answer = IntegerData(0);
  b.answer = IntegerData(128);
  first.Str1Source = From(r);
  first.Str2Source = From(g);
  second.Str1Source = Link<&TKestoStrCatDelim::Value>(&first);
  second.Str2Source = From(b);
  Fire<&TKestoStrCatDelim::Concat>(first);
  Fire<&TKestoStrCatDelim::Concat>(second);
  TData v;
  first.Value(v, 0);
  EXPECT_EQ(v.StrValue, "255 0");
  second.Value(v, 0);
  EXPECT_EQ(v.StrValue, "255 0 128");

  // Str1, Str2, then Delimiter take the chain's values in that order.
  TKestoStrCatDelim join;
  Probe result;
  join.Result = To(result);
  Fire<&TKestoStrCatDelim::Concat>(join, Chain{StringData("x"), StringData(""), StringData("-")}.Head());
  EXPECT_EQ(Strings(result), Texts{"x-"});
}

struct ReplaceCase {
  string text, sub, dest, want;
};

TEST(Replace, EveryOccurrenceOnceAndNeverTheInsertedText) {
  DispatchOn on;
  for (const ReplaceCase& c : {ReplaceCase{"light red", " ", "_", "light_red"},
                               ReplaceCase{"house.wgh", ".wgh", ".bmp", "house.bmp"},
                               ReplaceCase{"aaa", "a", "aa", "aaaaaa"},
                               ReplaceCase{"abc", "", "x", "abc"},
                               ReplaceCase{"", "a", "b", ""},
                               ReplaceCase{"aaaa", "aa", "", ""},
                               ReplaceCase{string("a\0b\0", 4), string("\0", 1), "%", "a%b%"}}) {
    TKestoReplace replace;
    replace.SubStr = c.sub;
    replace.DestStr = c.dest;
    Probe result;
    replace.Result = To(result);
    Fire<&TKestoReplace::Replace>(replace, StringData(c.text));
    EXPECT_EQ(Strings(result), Texts{c.want}) << c.text;
    EXPECT_EQ(replace.Text, c.want);
  }
}

// Answers a scripted Skip decision per occurrence and notes the positions.
struct SkipScript {
  TKestoReplace* replace = nullptr;
  std::vector<int32_t> answers, positions;
  void Get(TData& d, uint16_t) {
    positions.push_back(replace->Position);
    SetInteger(d, positions.size() <= answers.size() ? answers[positions.size() - 1] : 0);
  }
};

TEST(Replace, SkipSparesSingleOccurrencesAndSeesEditedPositions) {
  DispatchOn on;
  TKestoReplace replace;
  replace.SubStr = "ab";
  replace.DestStr = "XYZ";
  SkipScript skip{&replace, {1, 0, 0}, {}};
  replace.SkipSource = Link<&SkipScript::Get>(&skip);
  Probe result;
  replace.Result = To(result);
  Fire<&TKestoReplace::Replace>(replace, StringData("ab-ab-ab"));
  EXPECT_EQ(Strings(result), Texts{"ab-XYZ-XYZ"});
  EXPECT_EQ(skip.positions, (std::vector<int32_t>{1, 4, 8}));

  // A spared occurrence resumes one byte further, so overlaps are seen.
  replace.SubStr = "aa";
  replace.DestStr = "b";
  skip = SkipScript{&replace, {1}, {}};
  Fire<&TKestoReplace::Replace>(replace, StringData("aaa"));
  EXPECT_EQ(result.values.back().StrValue, "ab");
}

TEST(Replace, ReadsTextThenSubStrThenDestStr) {
  DispatchOn on;
  TKestoReplace replace;
  Probe result;
  replace.Result = To(result);
  Fire<&TKestoReplace::Replace>(replace, Chain{StringData("a.b"), StringData("."), StringData("::")}.Head());
  EXPECT_EQ(Strings(result), Texts{"a::b"});
}

struct SplitRun {
  bool noDelimiter;
  Texts parts;
  string rest;
};

SplitRun Split(TKestoMultiStrPart& cutter, const string& text) {
  Probe rest, none;
  cutter.Rest = To(rest);
  cutter.NoDelimiter = To(none);
  Fire<&TKestoMultiStrPart::Split>(cutter, StringData(text));
  SplitRun run{!none.values.empty(), cutter.Parts, ""};
  if (run.noDelimiter) run.rest = none.values.at(0).StrValue;
  if (!rest.values.empty()) run.rest = rest.values.at(0).StrValue;
  return run;
}

TEST(MultiStrPart, CutsAtTheDelimitersByteSet) {
  DispatchOn on;
  TKestoMultiStrPart cutter(4);
  cutter.Delimiter = "||";
  SplitRun run = Split(cutter, "a||b||c||d||tail");
  EXPECT_EQ(run.parts, (Texts{"a", "b", "c", "d"}));
  EXPECT_EQ(run.rest, "tail");
  EXPECT_EQ(Split(cutter, "a||b").parts, (Texts{"a", "b", "", ""}));
  EXPECT_EQ(Split(cutter, "a|b||c").parts, (Texts{"a", "", "c", ""}));
  run = Split(cutter, "abc");
  EXPECT_TRUE(run.noDelimiter);
  EXPECT_EQ(run.rest, "abc");
  EXPECT_EQ(run.parts, (Texts{"", "", "", ""}));  // emptied by the failed split
  // A delimiter at the very end swallows past the end without harm.
  EXPECT_EQ(Split(cutter, string("x\0y||z|", 7)).parts, (Texts{string("x\0y", 3), "z", "", ""}));

  cutter.Delimiter = "";
  EXPECT_TRUE(Split(cutter, "a||b").noDelimiter);
}

TEST(MultiStrPart, SkipDropsLeadingTokensAndPartAnswersByIndex) {
  DispatchOn on;
  TKestoMultiStrPart cutter(2);
  cutter.Delimiter = ";";
  cutter.Skip = 1;
  SplitRun run = Split(cutter, "head;a;b;c");
  EXPECT_EQ(run.parts, (Texts{"a", "b"}));
  EXPECT_EQ(run.rest, "c");
  cutter.Skip = INT32_MAX;  // ends as soon as the text is used up
  EXPECT_EQ(Split(cutter, "a;b").parts, (Texts{"", ""}));
  cutter.Skip = -3;
  Split(cutter, "a;b");
  TData part;
  cutter.Part(part, 1);
  EXPECT_EQ(part.StrValue, "b");
  cutter.Part(part, 7);  // no such part: an empty string, not a stray read
  EXPECT_EQ(part.Type(), dtString);
  EXPECT_EQ(part.StrValue, "");
}

string Format(TKestoFormatStr& format, TData incoming = TData()) {
  Probe result;
  format.Result = To(result);
  Fire<&TKestoFormatStr::Format>(format, incoming);
  EXPECT_EQ(result.values.size(), 1u);
  return result.values.empty() ? "<none>" : result.values[0].StrValue;
}

TEST(FormatStr, PlaceholdersDigitsAndPercents) {
  DispatchOn on;
  TKestoFormatStr one(1);
  Source version;
  version.answer = IntegerData(7);
  one.StrSources[0] = From(version);
  one.Mask = "upd%1.zip";
  EXPECT_EQ(Format(one), "upd7.zip");
  one.Mask = "%1 and %10";
  EXPECT_EQ(Format(one), "7 and %10");
  one.Mask = "100%%";
  EXPECT_EQ(Format(one), "100%");
  one.Mask = "%%1";
  EXPECT_EQ(Format(one), "%1");
  one.Mask = "%%%1";
  EXPECT_EQ(Format(one), "%7");
}

TEST(FormatStr, LaterPassesFillEarlierValuesAndMarksSettle) {
  DispatchOn on;
  TKestoFormatStr format(3);
  format.Mask = "[%1|%3]";
  // Unlinked Str1..Str3 take the chain in order.
  EXPECT_EQ(Format(format, Chain{StringData("<%2>"), StringData("two"), StringData("%1")}.Head()),
            "[<two>|%1]");
  EXPECT_EQ(format.Value, "[<two>|%1]");
  format.Mask = string("a\1b\0c%1", 7);
  EXPECT_EQ(Format(format, Chain{StringData(string("\0\1", 2))}.Head()), "ab%c%");
}

TEST(FormatStr, SetMaskTakesTheIncomingValue) {
  DispatchOn on;
  TKestoFormatStr format(2);
  Fire<&TKestoFormatStr::SetMask>(format, IntegerData(12));
  EXPECT_EQ(format.Mask, "12");
  Fire<&TKestoFormatStr::SetMask>(format, StringData("%2-%1"));
  EXPECT_EQ(Format(format, Chain{StringData("a"), StringData("b")}.Head()), "b-a");
}

TEST(Insert, PositionsFromEitherEnd) {
  DispatchOn on;
  struct Case {
    string str, sub;
    int32_t position;
    uint8_t direction;
    string want;
  };
  for (const Case& c : {Case{"abc", " ", 10000000, 0, "abc "}, Case{"abc", "X", 2, 1, "abXc"},
                        Case{"abc", "X", 1, 1, "abcX"}, Case{"abc", "X", -5, 0, "Xabc"},
                        Case{"abc", "X", 2, 0, "aXbc"}, Case{"abc", "X", INT32_MIN, 1, "abcX"},
                        Case{"abc", "X", INT32_MAX, 1, "Xabc"}}) {
    TKestoInsert insert;
    insert.Str = c.str;
    insert.SubStr = c.sub;
    insert.Position = c.position;
    insert.Direction = c.direction;
    Probe result;
    insert.Result = To(result);
    Fire<&TKestoInsert::Insert>(insert);
    EXPECT_EQ(Strings(result), Texts{c.want}) << c.position << " " << int(c.direction);
  }
}

TEST(Insert, EmptyStrFiresNothingAndReadOrderIsStrSubStrPosition) {
  DispatchOn on;
  TKestoInsert insert;
  Probe result;
  insert.Result = To(result);
  Fire<&TKestoInsert::Insert>(insert);
  EXPECT_TRUE(result.values.empty());
  Fire<&TKestoInsert::Insert>(insert, Chain{StringData("abc"), StringData("-"), IntegerData(2)}.Head());
  EXPECT_EQ(Strings(result), Texts{"a-bc"});
}

TEST(Convertor, StringToInteger) {
  DispatchOn on;
  TKestoConvertor convert;
  Probe result;
  convert.Result = To(result);
  for (const char* text : {"42", "-7x", "x7", "", " 5"}) Fire<&TKestoConvertor::Convert>(convert, StringData(text));
  ASSERT_EQ(result.values.size(), 5u);
  std::vector<int32_t> got;
  for (const TData& v : result.values) got.push_back(v.Type() == dtInteger ? v.IntValue : -999);
  EXPECT_EQ(got, (std::vector<int32_t>{42, -7, 0, 0, 0}));
}

TEST(StreamConversions, ReadWholeStreamFromTheStart) {
  DispatchOn on;
  TMemoryStream stream;
  const string bytes("12\r\n\xC0\xFF\0z", 8);
  stream.Write(bytes.data(), bytes.size());  // left at its end on purpose
  TData incoming;
  SetStream(incoming, &stream);

  TKestoConvertor convert;
  convert.Mode = TKestoConvertor::kStreamToString;
  Probe asText;
  convert.Result = To(asText);
  Fire<&TKestoConvertor::Convert>(convert, incoming);
  EXPECT_EQ(Strings(asText), Texts{bytes});
  EXPECT_EQ(stream.Position(), bytes.size());
  Fire<&TKestoConvertor::Convert>(convert, StringData("not a stream"));
  EXPECT_EQ(asText.values.size(), 1u);

  TKestoStream2Hex hex;
  hex.Filler = ".";
  Probe printable;
  hex.Result = To(printable);
  Fire<&TKestoStream2Hex::Convert>(hex, incoming);
  hex.Filler = "";
  Fire<&TKestoStream2Hex::Convert>(hex, incoming);
  Fire<&TKestoStream2Hex::Convert>(hex);
  EXPECT_EQ(Strings(printable), (Texts{"12..\xC0\xFF.z", "12\xC0\xFFz"}));
}

}  // namespace
