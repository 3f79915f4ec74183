// Showing a picture file: the loader decodes it and renders it into a new
// bitmap; the image control keeps a copy of a bitmap and paints it centred.
//
// Data points that share their name with a property carry the suffix
// "Source" (`FileNameSource` is the data point `FileName`).
#pragma once
#include <cstdint>
#include <string>

#include "components/win/kesto_win.h"
#include "runtime/link.h"
#include "toolkit/bitmap_win.h"
#include "toolkit/wic_win.h"

// Load never fires anything itself. For the last Load, on a later turn of
// the message loop, exactly one report comes: a decoded file fires Loaded;
// a file that fails to decode fires Loaded, then Failed; a missing file (or
// a folder) fires Failed only. A Load before that report supersedes it, so
// the earlier file is never reported. Render then draws the picture; after
// a failure, or before the report, it does nothing.
class TKestoImageLoader {
 public:
  TKestoImageLoader();

  std::string FileName;
  int32_t DestPoint1 = 0, DestPoint2 = 0;  // x in the low, y in the high 16 bits, signed
  bool DestPoint2IsSize = false;           // else DestPoint2 is the second corner
  int32_t SrcPoint1 = 0, SrcPoint2 = 0;
  bool SrcPoint2IsSize = false;
  TKesto_Event Loaded, Failed;
  TKesto_Event Bitmap;  // the new bitmap, freed once the handlers have returned
  TKesto_Event FileNameSource, DestPoint1Source, DestPoint2Source, SrcPoint1Source, SrcPoint2Source;

  void Load(TData& data, uint16_t index);
  void Render(TData& data, uint16_t index);

 private:
  static void Reported(void* self, toolkit::TDecodeOutcome outcome);

  toolkit::TPictureDecoder decoder_;
  bool decoded_ = false;
};

namespace picture {

// The part that two points describe: the first is the corner; the second,
// when not 0, the far corner or (isSize) the size, else the size is
// (width, height), less the corner unless isSize.
toolkit::TArea Area(int32_t point1, int32_t point2, bool point2IsSize, int width, int height);
// The target shrunk on one axis to the source's proportions and centred
// there; divisions truncate toward zero.
toolkit::TArea FitCentred(toolkit::TArea target, int sourceWidth, int sourceHeight);

}  // namespace picture

// Paints its own copy of the last bitmap received at the middle of its
// client area and the margins around it in its background colour.
class TKestoImage : public TKestoWin {
 public:
  explicit TKestoImage(toolkit::TControl* parent);

  uint8_t AutoSize = 0;  // 1: the control takes the size of each bitmap received
  TKesto_Event Bitmap;   // data point; fallback: the call's value
  TKesto_Event Click;

  // Work point: copies the bitmap (an empty one empties the display).
  void Load(TData& data, uint16_t index);
  // Work point: empties the display, so a picture that could not be shown
  // does not leave the one before it standing.
  void Clear(TData& data, uint16_t index);

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void Paint(HDC dc);
  TBitmap bitmap_;
};
