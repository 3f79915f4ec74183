#include "components/text/lists.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/file_bytes.h"

TKestoStrList::TKestoStrList(const std::string& strings) : Strings(strings) {
  List.SetText(Strings);
}

void TKestoStrList::Add(TData& data, uint16_t) {
  List.Add(PullString(data, StrSource, ""));
  ForwardNull(data, Changed);
}

void TKestoStrList::SetText(TData& data, uint16_t) {
  List.SetText(PullString(data, StrSource, ""));
  ForwardNull(data, Changed);
}

void TKestoStrList::Load(TData& data, uint16_t) {
  const std::string name = PullString(data, FileNameSource, FileName);
  if (!toolkit::IsExistingFile(name)) return;
  // The lines of the file read before must not stand in for this one: they
  // would be written again under that file's output name.
  if (!List.LoadFromFile(name, MaxSize ? MaxSize : UINT64_MAX)) {
    List.SetText("");
    return ForwardInteger(data, LoadFailed, 0);
  }
  ForwardNull(data, Changed);
}

void TKestoStrList::Save(TData& data, uint16_t) {
  const bool written = List.SaveToFile(PullString(data, FileNameSource, FileName));
  ForwardInteger(data, Saved, written ? 1 : 0);
}

void TKestoStrList::Text(TData& data, uint16_t) { SetString(data, List.Text()); }

void TKestoArrayRW::Read(TData& data, uint16_t) {
  TArrayInterface* array = PullArray(ArraySource);
  if (!array || !array->Read) return;
  const TData at = PullValue(data, IndexSource, &Index);
  if (!array->Read(array->ReadInstance, at, item_)) return;
  data = CopyValue(item_);
  ForwardAsIs(data, Result);
}

void TKestoArrayRW::Item(TData& data, uint16_t) { data = CopyValue(item_); }
