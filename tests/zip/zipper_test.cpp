// TKestoZipper over a stand-in library that records every call,
// then over BSZIP.dll itself.
#include <gtest/gtest.h>

#include "components/net/zipper.h"
#include "tests/core/probes.h"
#include "tests/zip/zip_test.h"

namespace zip_test {
namespace {

// The stand-in library: answers with preset codes and records its calls.
struct Call {
  Call(std::string op, std::string a = "", std::string b = "", std::vector<int32_t> f = {}, bool cb = false)
      : operation(std::move(op)), first(std::move(a)), second(std::move(b)), flags(std::move(f)), callback(cb) {}
  std::string operation, first, second;
  std::vector<int32_t> flags;
  bool callback;
  bool operator==(const Call& o) const {
    return operation == o.operation && first == o.first && second == o.second && flags == o.flags &&
           callback == o.callback;
  }
};
std::ostream& operator<<(std::ostream& out, const Call& c) {
  out << c.operation << "(" << c.first << ", " << c.second;
  for (int32_t f : c.flags) out << ", " << f;
  return out << (c.callback ? ", callback)" : ")");
}

struct Fake {
  std::vector<Call> calls;
  int32_t openCode = 0, extractCode = 0, closeCode = 0;
  int32_t info[2] = {3, 7};
  int progressCalls = 0;  // how often ExtractAll calls the callback
} fake;

int32_t BSZIP_CALL FakeOpen(const char* path) {
  fake.calls.push_back({"open", path});
  return fake.openCode;
}
int32_t BSZIP_CALL FakeExtract(const char* destination, const char* text, int32_t a, int32_t b, int32_t c,
                               int32_t d, BszipProgress progress) {
  fake.calls.push_back({"extract", destination, text, {a, b, c, d}, progress != nullptr});
  for (int i = 0; i < fake.progressCalls; ++i) progress();
  return fake.extractCode;
}
int32_t BSZIP_CALL FakeClose() {
  fake.calls.push_back({"close"});
  return fake.closeCode;
}
int32_t BSZIP_CALL FakeInfo(int32_t* first, int32_t* second) {
  *first = fake.info[0];
  *second = fake.info[1];
  fake.info[0]++;
  return 0;
}
const TZipLibrary kFake = {&FakeOpen, &FakeExtract, &FakeClose, &FakeInfo};

template <auto Point>
void Fire(TKestoZipper& zipper, TData value = TData()) {
  TKesto_Event link = Link<Point>(&zipper);
  FireEvent(link, value);
}

std::vector<int32_t> Codes(const Probe& p) {
  std::vector<int32_t> codes;
  for (const TData& v : p.values) {
    EXPECT_EQ(v.Type(), dtInteger);
    codes.push_back(v.IntValue);
  }
  return codes;
}

// The program's ArchiveUnzip: all strings "", OptionD 1, other options 0.
struct ZipperTest : ::testing::Test {
  DispatchOn on;
  TKestoZipper zipper;
  Probe result, progress;
  Source archive, folder;
  void SetUp() override {
    fake = Fake();
    zipper.Library = &kFake;
    zipper.Result = Link<&Probe::In>(&result);
    zipper.Progress = Link<&Probe::In>(&progress);
  }
  void LinkPoints() {
    archive.answer = StringData("C:\\Ostrel\\lastupdates.zip");
    folder.answer = StringData("C:\\Ostrel\\");
    zipper.ZipFileSource = Link<&Source::Get>(&archive);
    zipper.DestinationSource = Link<&Source::Get>(&folder);
  }
};

TEST_F(ZipperTest, NothingBeforeASuccessfulOpen) {
  Fire<&TKestoZipper::ExtractAll>(zipper, StringData("C:\\x\\"));
  Fire<&TKestoZipper::Close>(zipper);
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_TRUE(result.values.empty());

  fake.openCode = 3;
  Fire<&TKestoZipper::Open>(zipper, StringData("missing.zip"));
  Fire<&TKestoZipper::ExtractAll>(zipper, StringData("C:\\x\\"));
  Fire<&TKestoZipper::Close>(zipper);
  EXPECT_EQ(fake.calls, (std::vector<Call>{{"open", "missing.zip"}}));
  EXPECT_EQ(Codes(result), std::vector<int32_t>{3});
  EXPECT_EQ(zipper.OpenArchive(), "");
}

TEST_F(ZipperTest, OpenWithAnEmptyPathCallsTheLibraryWithAnEmptyText) {
  fake.openCode = 1;
  Fire<&TKestoZipper::Open>(zipper);
  EXPECT_EQ(fake.calls, (std::vector<Call>{{"open", ""}}));
  EXPECT_EQ(Codes(result), std::vector<int32_t>{1});
}

TEST_F(ZipperTest, TwoOpensCloseTheFirstThenOpenTheSecond) {
  Fire<&TKestoZipper::Open>(zipper, StringData("first.zip"));
  fake.closeCode = 0;
  fake.openCode = 4;
  Fire<&TKestoZipper::Open>(zipper, StringData("second.zip"));
  EXPECT_EQ(fake.calls, (std::vector<Call>{{"open", "first.zip"}, {"close"}, {"open", "second.zip"}}));
  EXPECT_EQ(Codes(result), (std::vector<int32_t>{0, 0, 4})) << "open, then close and open";
  EXPECT_EQ(zipper.OpenArchive(), "");
}

TEST_F(ZipperTest, TheProgramsPropertiesPassAnEmptyTextAndTheFlags1110) {
  LinkPoints();
  Fire<&TKestoZipper::Open>(zipper, StringData("ignored"));
  fake.extractCode = 9;
  Fire<&TKestoZipper::ExtractAll>(zipper, StringData("ignored"));
  Fire<&TKestoZipper::Close>(zipper);
  const std::vector<Call> want = {{"open", "C:\\Ostrel\\lastupdates.zip"},
                                  {"extract", "C:\\Ostrel\\", "", {1, 1, 1, 0}, true},
                                  {"close"}};
  EXPECT_EQ(fake.calls, want);
  EXPECT_EQ(Codes(result), (std::vector<int32_t>{0, 9, 0}));
  EXPECT_EQ(zipper.LastDestination(), "C:\\Ostrel\\");
  EXPECT_EQ(zipper.OpenArchive(), "");
}

TEST_F(ZipperTest, OptionsAreNegatedAndTheTextPassed) {
  zipper.OptionA = 1;
  zipper.OptionC = 1;
  zipper.OptionD = 0;
  zipper.ExtraText = "text";
  zipper.ZipFile = "a.zip";
  zipper.Destination = "dest";
  Fire<&TKestoZipper::Open>(zipper, StringData("value.zip"));
  Fire<&TKestoZipper::ExtractAll>(zipper, StringData("value"));
  EXPECT_EQ(fake.calls, (std::vector<Call>{{"open", "a.zip"}, {"extract", "dest", "text", {0, 1, 0, 1}, true}}));
}

TEST_F(ZipperTest, UnlinkedPointsTakeTheIncomingValue) {
  Fire<&TKestoZipper::Open>(zipper, StringData("value.zip"));
  Fire<&TKestoZipper::ExtractAll>(zipper, StringData("value\\"));
  EXPECT_EQ(fake.calls[0], (Call{"open", "value.zip"}));
  EXPECT_EQ(fake.calls[1].first, "value\\");
}

TEST_F(ZipperTest, AFailedCloseKeepsTheArchiveOpen) {
  Fire<&TKestoZipper::Open>(zipper, StringData("a.zip"));
  fake.closeCode = 2;
  Fire<&TKestoZipper::Close>(zipper);
  EXPECT_EQ(zipper.OpenArchive(), "a.zip");
  fake.closeCode = 0;
  Fire<&TKestoZipper::Close>(zipper);
  Fire<&TKestoZipper::Close>(zipper);
  EXPECT_EQ(Codes(result), (std::vector<int32_t>{0, 2, 0}));
  EXPECT_EQ(fake.calls.size(), 3u);
}

TEST_F(ZipperTest, ProgressReportsTheChosenRunTimeInteger) {
  Fire<&TKestoZipper::Open>(zipper, StringData("a.zip"));
  fake.progressCalls = 2;
  Fire<&TKestoZipper::ExtractAll>(zipper, StringData("d"));
  EXPECT_EQ(Codes(progress), (std::vector<int32_t>{3, 4}));
  zipper.ProgressSecond = 1;
  progress = Probe();
  Fire<&TKestoZipper::ExtractAll>(zipper, StringData("d"));
  EXPECT_EQ(Codes(progress), (std::vector<int32_t>{7, 7}));
  EXPECT_EQ(Codes(result), (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(ZipperTest, ResultIsForwardedAfterTheWorkPointReturns) {
  // The close code of a second Open fires at once, the open code last.
  Fire<&TKestoZipper::Open>(zipper, StringData("a.zip"));
  TData value = StringData("b.zip");
  zipper.Open(value, 0);
  EXPECT_EQ(Codes(result), (std::vector<int32_t>{0, 0})) << "close code fired in the middle";
  EXPECT_TRUE(value.Kind & kForwardFlag);
  EXPECT_EQ(value.ForwardLink, &zipper.Result);
}

// What the update's error message reads: the blocked file named from the
// archive by the entry index the library leaves in the run-time integers,
// the kept copies' folder, or (Break) its own generic text.
TEST_F(ZipperTest, FailureTextNamesTheBlockedFileOrTheKeptCopies) {
  struct Row {
    int32_t code, first, second;
    const char* text;
  };
  const Row rows[] = {
      {11, 1, -1, "blocked C:\\Ostrel\\folder\\old.txt"},
      {11, 1, 3, "generic"},  // nothing left of the row before
      {11, 9, -1, "generic"},  // no such entry
      {15, 0, 0, "kept C:\\Ostrel\\~bszip"},
      {9, 1, -1, "generic"},
  };
  zipper.BlockedText = "blocked %1";
  zipper.KeptText = "kept %1";
  const TKesto_Event failure = Link<&TKestoZipper::FailureText>(&zipper);
  for (const Row& row : rows) {
    Fire<&TKestoZipper::Open>(zipper, StringData(ApiText(Corpus() / "good_replace.zip")));
    fake.extractCode = row.code;
    fake.info[0] = row.first;
    fake.info[1] = row.second;
    Fire<&TKestoZipper::ExtractAll>(zipper, StringData("C:\\Ostrel\\"));
    TData none;
    EXPECT_EQ(PullString(none, failure, "generic"), row.text) << row.code;
  }
}

// The real library behind the component, as in the update flow.
TEST(ZipperOverBszip, UnpacksAnUpdateAndRefusesAHostileOne) {
  DispatchOn on;
  Scratch scratch("zipper");
  TKestoZipper zipper;
  Probe result, progress;
  zipper.Result = Link<&Probe::In>(&result);
  zipper.Progress = Link<&Probe::In>(&progress);
  Source archive, folder;
  zipper.ZipFileSource = Link<&Source::Get>(&archive);
  zipper.DestinationSource = Link<&Source::Get>(&folder);
  folder.answer = StringData(ApiText(scratch.destination) + "\\");

  archive.answer = StringData(ApiText(Corpus() / "good_russian_cp866.zip"));
  Fire<&TKestoZipper::Open>(zipper);
  Fire<&TKestoZipper::ExtractAll>(zipper);
  Fire<&TKestoZipper::Close>(zipper);
  EXPECT_EQ(Codes(result), (std::vector<int32_t>{0, 0, 0}));
  EXPECT_EQ(Codes(progress), (std::vector<int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(ReadAll(scratch.destination / U8(u8"Данные") / U8(u8"Дома") / U8(u8"дом №1.wgh")).size(), 3000u);

  result = Probe();
  const Tree before = Snapshot(scratch.root);
  archive.answer = StringData(ApiText(Corpus() / "bad_late_replace_crc.zip"));
  Fire<&TKestoZipper::Open>(zipper);
  Fire<&TKestoZipper::ExtractAll>(zipper);
  Fire<&TKestoZipper::Close>(zipper);
  EXPECT_EQ(Codes(result), (std::vector<int32_t>{0, 9, 0}));
  EXPECT_EQ(Snapshot(scratch.root), before);
}

}  // namespace
}  // namespace zip_test
