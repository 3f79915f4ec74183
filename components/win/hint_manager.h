// One tooltip window per control that has a hint; one manager per process.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "toolkit/gdi_win.h"

class TKestoHintManager;

using TToolRecord = TTTOOLINFOW;

// The manager's operations, as the controls call them.
struct HintWindowKit {
  TToolRecord* (*AddWindow)(TKestoHintManager* manager, HWND control);
  void (*Remove)(TKestoHintManager* manager, TToolRecord* tool);
  void (*SetText)(TKestoHintManager* manager, TToolRecord* tool, const std::string& text);
  void (*SetTitle)(TKestoHintManager* manager, TToolRecord* tool, int icon, const std::string& title);
  void (*TrackOn)(TKestoHintManager* manager, TToolRecord* tool);
  void (*TrackOff)(TKestoHintManager* manager, TToolRecord* tool);
  void (*TrackPosition)(TKestoHintManager* manager, TToolRecord* tool, int x, int y);
  TKestoHintManager* Manager;
};

class TKestoHintManager {
 public:
  TKestoHintManager();

  HintWindowKit* Operations;
  uint8_t Rectangular = 1;
  uint32_t TextColor = 0xFF000018;
  int32_t InitialDelay = 500;
  int32_t AutoPopDelay = 5000;
  int32_t Margin = 0;
  uint8_t Tracking = 0;
  // The record's colour is the tooltip's background.
  toolkit::TFontRecord Font{"Tahoma", 8, 0, 0xFF000017, 1};

 private:
  HintWindowKit kit_;
};

// Created once during start-up and never freed.
extern TKestoHintManager* HintManager;
void CreateHintManager();
