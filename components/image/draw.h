// Drawing on a surface that a data point or the call supplies.
//
// Data points that share their name with a property carry the suffix
// "Source" (`Point1Source` is the data point `Point1`). Each of them falls
// back to its property when that is non-zero, else to the next value that
// arrived with `Draw`.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/link.h"

class TBitmap;

// The drawing target. Kind 0: `Target` is a Bitmap value; 1: an Integer
// window handle, whose device context is taken for the draw; 2: an Integer
// device context handle, drawn on directly.
class TKestoImg {
 public:
  uint8_t TargetKind = 0;
  TKesto_Event Target;

 protected:
  // Reads `Target` and computes the scale factors. False when there is
  // nothing to draw on; CloseSurface is due either way.
  bool OpenSurface(TData& data);
  void CloseSurface();

  HDC dc_ = nullptr;
  double scale_x_ = 1, scale_y_ = 1;  // target resolution over the screen's

 private:
  HWND window_ = nullptr;
  TBitmap* bitmap_ = nullptr;
};

// Two corners, a pen and a fill.
class TKestoDraw2PR : public TKestoImg {
 public:
  int32_t Point1 = 0, Point2 = 0;  // x in the low, y in the high 16 bits, signed
  bool Point2IsSize = false;       // Point2 is added to Point1
  int32_t PenSize = 0;             // pixels before scaling
  uint32_t PenColor = 0, FillColor = 0;
  bool NoFill = false;
  TKesto_Event Point1Source, Point2Source, PenSizeSource, PenColorSource, FillColorSource;
};

class TKestoImg_Rectangle : public TKestoDraw2PR {
 public:
  int32_t CornerWidth = 0, CornerHeight = 0;  // the rounding ellipse; 0 = square
  TKesto_Event Drawn, CornerWidthSource, CornerHeightSource;

  // `Drawn` gets the call's own value, after Draw has returned, whether or
  // not anything was drawn.
  void Draw(TData& data, uint16_t index);
};

namespace drawing {

// Handles travel as Integer values; on 64-bit Windows only their low 32
// bits are significant and they are sign-extended back.
template <class Handle>
Handle HandleFromInteger(int32_t value) {
  return reinterpret_cast<Handle>(static_cast<intptr_t>(value));
}

// The corners unpacked, the second one made absolute, then scaled with
// halves rounded to even.
RECT ScaledCorners(int32_t point1, int32_t point2, bool point2IsSize, double scaleX, double scaleY);
// The pen width scaled by the mean of the two factors, rounded the same way.
int ScaledPenWidth(int32_t penSize, double scaleX, double scaleY);

}  // namespace drawing
