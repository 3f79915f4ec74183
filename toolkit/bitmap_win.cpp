#include "toolkit/bitmap_win.h"

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() { Free(); }

void TBitmap::Free() {
  if (canvas_) {
    // A bitmap still selected into a context cannot be deleted.
    SelectObject(canvas_, canvas_default_);
    DeleteDC(canvas_);
    canvas_ = nullptr;
    canvas_default_ = nullptr;
  }
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  width_ = height_ = 0;
}

void TBitmap::SetSize(int width, int height) {
  Free();
  if (width <= 0 || height <= 0) return;
  // Compatible with the screen, not with a memory context: that would give
  // a monochrome bitmap.
  HDC screen = GetDC(nullptr);
  bitmap_ = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  // Too large for the system: stays empty rather than half-made.
  if (!bitmap_) return;
  width_ = width;
  height_ = height;
}

HDC TBitmap::Canvas() const {
  if (!bitmap_) return nullptr;
  if (!canvas_) {
    canvas_ = CreateCompatibleDC(nullptr);
    if (canvas_) canvas_default_ = SelectObject(canvas_, bitmap_);
  }
  return canvas_;
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  SetSize(source.Width(), source.Height());
  if (Empty()) return;
  BitBlt(Canvas(), 0, 0, width_, height_, source.Canvas(), 0, 0, SRCCOPY);
}

void TBitmap::Draw(HDC dc, int x, int y) const {
  if (Empty()) return;
  BitBlt(dc, x, y, width_, height_, Canvas(), 0, 0, SRCCOPY);
}
