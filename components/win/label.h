// A static text. Its control exists from creation on, so the AutoSize and
// Alignment setters can be called before Initialise.
#pragma once
#include "components/win/kesto_win.h"

class TKestoLabel : public TKestoWin {
 public:
  explicit TKestoLabel(toolkit::TControl* parent);

  TKesto_Event Click, TextSource;  // TextSource: the data point Text
  std::string Caption;             // the initial text

  void SetAutoSize(uint8_t on);          // 1: the label takes its text's size
  void SetAlignment(uint8_t alignment);  // 0 left, 1 right, 2 centred
  void Initialise() override;

  // Work point: the text from TextSource, else the incoming value.
  void Text(TData& data, uint16_t index);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void Show(const std::string& text);
  // With AutoSize: the label takes its text's size.
  void Fit(const std::string& text);
  uint8_t auto_size_ = 0;
};
