// Top-level windows: TKestoSimpleWin, and the main form TKestoSimpleForm.
#pragma once
#include "components/win/window_events.h"

class TKestoSimpleWin : public TKestoWindowEvents {
 public:
  uint8_t DragByClient = 0;

  virtual void Initialise();

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

class TKestoSimpleForm : public TKestoSimpleWin {
 public:
  explicit TKestoSimpleForm(void* owner);

  TKesto_Event Created, Closed, CanClose;

  // Set right after the properties, before Initialise.
  void SetCaption(const std::string& caption);
  void SetBorderStyle(uint8_t style);
  void SetIcon(HICON icon);
  void SetHideTaskbarButton(uint8_t hide);

  // On every paint: the window's own painting, then `link` fires with the
  // device context as an Integer.
  void HookPaint(const TKesto_Event& link);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnMouseDown(int button) override;

 private:
  static void Start(void* self);
  bool Close(LPARAM lp);
  void Paint();

  TKesto_Event paint_;
};
