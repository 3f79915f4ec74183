// The list family. TKestoWinList holds what any list-like control does with
// its items (adding, the initial lines, the Array record); TKestoLWinList
// does it with list-box messages and reports the selection; TKestoListBox
// is the plain list box.
#pragma once
#include <memory>

#include "components/win/kesto_win.h"

class TKestoWinList : public TKestoWin {
 public:
  using TKestoWin::TKestoWin;

  TKesto_Event Str, ItemData, Added;
  std::string Strings;  // the initial items, one per line
  uint8_t AddAtTop = 0;
  uint8_t SelectAdded = 0;

  // Adds the text from Str (else the incoming value) with the Integer from
  // ItemData, if any; Added runs once Add has returned.
  void Add(TData& data, uint16_t index);
  // Data point: an Array value over the items, the same record every time.
  void Array(TData& data, uint16_t index);
  void Clear(TData& data, uint16_t index);
  void Select(TData& data, uint16_t index);  // the item at ValueToIndex, -1 none
  void BeginUpdate(TData& data, uint16_t index);
  void EndUpdate(TData& data, uint16_t index);

 protected:
  virtual int32_t Count() = 0;
  virtual std::string ItemText(int32_t i) = 0;  // empty when out of range
  virtual int32_t Append(const std::string& text) = 0;  // the new item's index
  // A control that cannot insert gets the text as a first line of its whole text.
  virtual int32_t InsertFirst(const std::string& text);
  virtual void SetData(int32_t i, int32_t value) = 0;
  virtual void SelectItem(int32_t i) = 0;
  virtual void ClearItems() = 0;
  virtual void Reserve(size_t bytes) { (void)bytes; }
  virtual void WriteItem(int32_t i, const std::string& text) = 0;
  void SetRedraw(bool on);
  // Fills the control from Strings with redraw off, repainting once.
  void LoadStrings();

 private:
  static bool ReadItem(void* self, const TData& index, TData& out);
  static int32_t CountItems(void* self);
  static void AddItem(void* self, const TData& value);
  static void WriteItemAt(void* self, const TData& index, const TData& value);
  std::unique_ptr<TArrayInterface> array_;
};

class TKestoLWinList : public TKestoWinList {
 public:
  using TKestoWinList::TKestoWinList;

  TKesto_Event Click;  // the selected index, or its text with SelectAsText 1
  uint8_t Sort = 0;
  uint8_t MultiSelect = 0;
  uint8_t SelectAsText = 0;
  int32_t ItemHeight = 20;  // only an owner-drawn list asks for it

 protected:
  DWORD ListStyle() const;
  // After the subclass created the control: base initialisation, items, extent.
  void InitialiseList();
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  int32_t Count() override;
  std::string ItemText(int32_t i) override;
  int32_t Append(const std::string& text) override;
  int32_t InsertFirst(const std::string& text) override;
  void SetData(int32_t i, int32_t value) override;
  void SelectItem(int32_t i) override;
  void ClearItems() override;
  void Reserve(size_t bytes) override;
  void WriteItem(int32_t i, const std::string& text) override;

 private:
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
};

class TKestoListBox : public TKestoLWinList {
 public:
  using TKestoLWinList::TKestoLWinList;
  void Initialise() override;
};
