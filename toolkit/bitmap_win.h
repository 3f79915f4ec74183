// A pixel buffer compatible with the screen, with a canvas to draw into.
// The payload of "Bitmap" values; it lives in the global namespace because
// the value type names it there.
#pragma once
#include <windows.h>

class TBitmap {
 public:
  TBitmap() = default;  // empty
  // A size of 0 (or less) in either direction gives an empty bitmap; the
  // pixels of a new bitmap are undefined until drawn.
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return bitmap_ == nullptr; }
  HBITMAP Handle() const { return bitmap_; }

  // Drops the pixels and makes a fresh buffer of the new size.
  void SetSize(int width, int height);
  // A device context with the bitmap selected, kept until the bitmap changes
  // size or is freed; null for an empty bitmap.
  HDC Canvas() const;
  // Copies size and pixels; an empty source empties this one.
  void Assign(const TBitmap& source);
  // A plain copy (SRCCOPY) at the bitmap's own size, its top left at (x, y).
  void Draw(HDC dc, int x, int y) const;

 private:
  void Free();

  int width_ = 0, height_ = 0;
  HBITMAP bitmap_ = nullptr;
  mutable HDC canvas_ = nullptr;
  mutable HGDIOBJ canvas_default_ = nullptr;
};
