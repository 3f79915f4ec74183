// The single-line edit box.
#pragma once
#include "components/win/kesto_win.h"

// How the box obtains its text for the Text data point, Change and Enter:
// false means no text could be had.
struct TTextGetter {
  bool (*code)(void* instance, TData& out) = nullptr;
  void* instance = nullptr;
};

class TKestoEdit : public TKestoWin {
 public:
  using TKestoWin::TKestoWin;

  TKesto_Event Change, Enter, Str;
  std::string InitialText;  // the property Text
  uint8_t Password = 0;
  uint8_t ReadOnly = 0;
  uint8_t Alignment = 0;  // 0 left, 1 right, 2 centred
  TTextGetter TextGetter;

  // The box's own getter, which answers String(current text); the schema
  // points TextGetter at it.
  TTextGetter OwnTextGetter() { return {&ReadOwnText, this}; }

  void Initialise() override;
  // Work point Text: replaces the text, keeping the caret where it was.
  void Text(TData& data, uint16_t index);
  // Data point Text: the text through TextGetter, NULL when that fails.
  void TextValue(TData& data, uint16_t index);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  static bool ReadOwnText(void* self, TData& out);
  bool GetText(TData& out);
  void Changed();
  void EnterPressed();
  // Sets the text without reporting it as a change.
  void SetTextQuietly(const std::string& text);

  bool initialised_ = false;  // the first change after creation is not reported
  bool enter_pending_ = false;
};
