#include <gtest/gtest.h>

#include "components/text/lists.h"
#include "tests/text/helpers.h"
#include "toolkit/file_bytes.h"
#include "toolkit/stream.h"

namespace {

using namespace text_test;
using std::string;

// A file name (cp1251, one letter non-ASCII) in a folder of the test's own.
class TempFile {
 public:
  const string& Name() const { return name_; }
  const string& Folder() const { return folder_.Name(); }

 private:
  OwnFolder folder_{"ostrel_lists_"};
  string name_ = folder_.Name() + "ostrel_\xCF\xF0\xE8\xEC\xE5\xF0.txt";
};

TEST(StrListText, SplitAndJoin) {
  TStrList list;
  list.SetText("a\r\nb\rc\nd");
  EXPECT_EQ(list.Lines(), (Texts{"a", "b", "c\nd"}));
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\nd\r\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Text(), "");
  list.SetText("\r\n\r\rx\r\n");
  EXPECT_EQ(list.Lines(), (Texts{"", "", "", "x"}));
  list.SetText(string("one\r\ntwo\0three\r\n", 17));  // a 0 byte ends the text
  EXPECT_EQ(list.Lines(), (Texts{"one", "two"}));
  list.AddText("more");
  list.Add("x\r\ny");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nmore\r\nx\r\ny\r\n");
}

TEST(StrListComponent, AddSetTextAndChanged) {
  DispatchOn on;
  TKestoStrList strings("first\r\nsecond");
  EXPECT_EQ(strings.List.Lines(), (Texts{"first", "second"}));
  Probe changed;
  strings.Changed = To(changed);
  Fire<&TKestoStrList::SetText>(strings, StringData(""));
  Fire<&TKestoStrList::Add>(strings, StringData("x"));
  TData text;
  strings.Text(text, 0);
  EXPECT_EQ(text.StrValue, "x\r\n");
  ASSERT_EQ(changed.values.size(), 2u);
  EXPECT_EQ(changed.values[1].Type(), dtNull);
}

TEST(StrListComponent, LoadAndSaveRawBytes) {
  DispatchOn on;
  TempFile file;
  const string bytes = "\xC3\xEE\r\nlast line without end";
  ASSERT_TRUE(toolkit::WriteFileBytes(file.Name(), bytes));
  TKestoStrList strings;
  strings.FileName = file.Name();
  Probe changed;
  strings.Changed = To(changed);
  Fire<&TKestoStrList::Load>(strings);
  EXPECT_EQ(changed.values.size(), 1u);
  EXPECT_EQ(strings.List.Lines(), (Texts{"\xC3\xEE", "last line without end"}));

  Fire<&TKestoStrList::Add>(strings, StringData("tail"));
  Fire<&TKestoStrList::Save>(strings);
  string saved;
  ASSERT_TRUE(toolkit::ReadFileBytes(file.Name(), saved));
  EXPECT_EQ(saved, "\xC3\xEE\r\nlast line without end\r\ntail\r\n");

  // Saving a shorter list replaces the file completely.
  Fire<&TKestoStrList::SetText>(strings, StringData("s"));
  Fire<&TKestoStrList::Save>(strings);
  ASSERT_TRUE(toolkit::ReadFileBytes(file.Name(), saved));
  EXPECT_EQ(saved, "s\r\n");

  // A file longer than MaxSize is not read, and the lines before it go.
  Probe failed;
  strings.LoadFailed = To(failed);
  for (uint32_t limit : {2u, 3u}) {
    strings.MaxSize = limit;
    Fire<&TKestoStrList::Load>(strings);
    EXPECT_EQ(strings.List.Lines(), limit == 2 ? Texts{} : Texts{"s"});
  }
  EXPECT_EQ(failed.values.size(), 1u);
}

TEST(StrListComponent, LoadOfMissingFileOrFolderDoesNothing) {
  DispatchOn on;
  TKestoStrList strings("kept");
  Probe changed;
  strings.Changed = To(changed);
  TempFile missing;
  for (const string& name : {missing.Name(), missing.Folder(), string()}) {
    strings.FileName = name;
    Fire<&TKestoStrList::Load>(strings);
  }
  EXPECT_TRUE(changed.values.empty());
  EXPECT_EQ(strings.List.Lines(), Texts{"kept"});
  EXPECT_FALSE(toolkit::IsExistingFile(missing.Name()));  // load never creates

  string untouched = "old";
  EXPECT_FALSE(toolkit::ReadFileBytes(missing.Name(), untouched));
  EXPECT_FALSE(toolkit::ReadFileBytes(missing.Folder(), untouched));
  EXPECT_EQ(untouched, "old");
  EXPECT_FALSE(strings.List.SaveToFile(missing.Folder() + "no_such_folder\\x.txt"));
}

TEST(StrListComponent, FileNameComesFromTheIncomingValueWhenEmpty) {
  DispatchOn on;
  TempFile file;
  TKestoStrList strings("a");
  Fire<&TKestoStrList::Save>(strings, StringData(file.Name()));
  TKestoStrList loaded;
  Fire<&TKestoStrList::Load>(loaded, StringData(file.Name()));
  EXPECT_EQ(loaded.List.Lines(), Texts{"a"});
}

// An array of three strings behind the array record.
struct Items {
  Texts items{"zero", "one", "two"};
  TArrayInterface record;
  Items() {
    record.Read = [](void* self, const TData& index, TData& out) {
      const Texts& items = static_cast<Items*>(self)->items;
      int32_t i = ValueToIndex(index);
      SetString(out, "touched");
      if (i < 0 || i >= static_cast<int32_t>(items.size())) return false;
      SetString(out, items[static_cast<size_t>(i)]);
      return true;
    };
    record.ReadInstance = this;
  }
  void Get(TData& d, uint16_t) { SetArray(d, &record); }
};

TEST(ArrayRW, ReadsTheIndexedItem) {
  DispatchOn on;
  Items items;
  TKestoArrayRW reader;
  Probe result;
  reader.Result = To(result);
  Fire<&TKestoArrayRW::Read>(reader, IntegerData(1));
  EXPECT_TRUE(result.values.empty());  // no array source
  reader.ArraySource = Link<&Items::Get>(&items);
  Fire<&TKestoArrayRW::Read>(reader, IntegerData(2));
  Fire<&TKestoArrayRW::Read>(reader, IntegerData(3));  // invalid: nothing fired
  EXPECT_EQ(Strings(result), Texts{"two"});
  TData item;
  reader.Item(item, 0);
  EXPECT_EQ(item.StrValue, "touched");  // what the failed read left behind
  reader.Index = IntegerData(0);
  Fire<&TKestoArrayRW::Read>(reader, IntegerData(2));
  EXPECT_EQ(Strings(result), (Texts{"two", "zero"}));
}

TEST(MemoryStream, GrowsAndReadsBack) {
  TMemoryStream stream;
  stream.SetPosition(3);
  stream.Write("ab", 2);
  EXPECT_EQ(stream.Bytes(), string("\0\0\0ab", 5));
  char buffer[8];
  stream.SetPosition(4);
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 1u);
  stream.SetPosition(100);
  EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);
  EXPECT_EQ(toolkit::ReadAllBytes(stream), string("\0\0\0ab", 5));
  EXPECT_EQ(stream.Position(), 5u);
}

}  // namespace
