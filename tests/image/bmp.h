// Picture files for the tests: 24-bit, rows bottom up, each padded to four bytes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

inline std::string Bmp(int w, int h, const std::function<COLORREF(int, int)>& colour) {
  const int row = (w * 3 + 3) & ~3, size = 54 + row * h;
  std::string b(size_t(size), '\0');
  auto put = [&](int at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[size_t(at + i)] = char(v >> 8 * i);
  };
  b[0] = 'B', b[1] = 'M';
  put(2, size, 4), put(10, 54, 4), put(14, 40, 4), put(18, w, 4), put(22, h, 4), put(26, 1, 2), put(28, 24, 2);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF c = colour(x, y);
      put(54 + (h - 1 - y) * row + x * 3, GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 3);
    }
  return b;
}
