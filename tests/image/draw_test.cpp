// The rectangle drawer on real device contexts, checked pixel by pixel.
#include <gtest/gtest.h>

#include <vector>

#include "components/image/draw.h"
#include "tests/core/probes.h"
#include "toolkit/bitmap_win.h"

namespace {

int32_t Pt(int x, int y) { return int32_t(uint16_t(x) | uint32_t(uint16_t(y)) << 16); }

struct Rectangle : ::testing::Test {
  DispatchOn on;
  TBitmap bitmap{40, 40};
  HDC dc = bitmap.Canvas();
  int32_t dc_value = int32_t(reinterpret_cast<intptr_t>(dc));
  TKestoImg_Rectangle rect;
  Probe drawn;
  void SetUp() override {
    PatBlt(dc, 0, 0, 40, 40, WHITENESS);
    rect.Drawn = Link<&Probe::In>(&drawn);
    rect.Point1 = Pt(5, 5), rect.Point2 = Pt(15, 15), rect.PenSize = 1, rect.FillColor = 0xFF00FF;
  }
  void Draw(TData value) { FireEvent(Link<&TKestoImg_Rectangle::Draw>(&rect), value); }
  void DrawOnBitmap(TBitmap* target) { TData v; SetBitmap(v, target); Draw(v); }
  COLORREF At(int x, int y) { return GetPixel(dc, x, y); }
};

TEST_F(Rectangle, FillsTheInsideOutlinesTheEdgeAndNoFillLeavesTheInside) {
  DrawOnBitmap(&bitmap);
  EXPECT_EQ(At(10, 10), 0xFF00FFu);
  for (auto [x, y] : {std::pair{5, 10}, {14, 10}, {10, 5}, {10, 14}, {5, 5}}) EXPECT_EQ(At(x, y), 0u) << x << "," << y;
  for (auto [x, y] : {std::pair{4, 10}, {15, 10}, {10, 15}}) EXPECT_EQ(At(x, y), 0xFFFFFFu) << x << "," << y;
  EXPECT_EQ(drawn.values.at(0).Kind, dtBitmap);
  rect.NoFill = true, rect.Point1 = Pt(20, 20), rect.Point2 = Pt(30, 30);
  DrawOnBitmap(&bitmap);
  EXPECT_EQ(At(25, 25), 0xFFFFFFu);
  EXPECT_EQ(At(20, 25), 0u);
}

TEST_F(Rectangle, SizeCornersNegativeCoordinatesAndSystemColours) {
  rect.Point1 = Pt(10, 10), rect.Point2 = Pt(5, 5), rect.Point2IsSize = true, rect.FillColor = 0xFF00000F;
  DrawOnBitmap(&bitmap);
  EXPECT_EQ(At(14, 12), 0u);
  EXPECT_EQ(At(15, 12), 0xFFFFFFu);
  EXPECT_EQ(At(12, 12), GetNearestColor(dc, GetSysColor(COLOR_BTNFACE)));
  // x = -1: the left edge lies outside, column 0 is already inside.
  rect.Point1 = Pt(-1, 20), rect.Point2 = Pt(8, 30), rect.Point2IsSize = false, rect.FillColor = 0xFF00;
  DrawOnBitmap(&bitmap);
  EXPECT_EQ(At(0, 25), 0xFF00u);
  EXPECT_EQ(At(7, 25), 0u);
  EXPECT_EQ(At(8, 25), 0xFFFFFFu);
}

// As the window's paint drives it: the context arrives as the call's value,
// and the points read after it take the properties or the rest of the chain.
TEST_F(Rectangle, ContextFromTheCallGetsItsObjectsBackAndDrawnTheWholeValue) {
  rect.TargetKind = 2, rect.Point1 = 0;
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
  TData call = IntegerData(dc_value), corner = IntegerData(Pt(2, 2));
  call.Next = &corner;
  Draw(call);
  EXPECT_EQ(At(2, 2), 0u);
  EXPECT_EQ(At(10, 10), 0xFF00FFu);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);  // deleting them selected would leak them
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(drawn.values.at(0).IntValue, dc_value);
  EXPECT_EQ(drawn.values.at(0).Next, &corner);
}

struct Logged {  // a data source that notes when it is asked
  std::vector<int>* log;
  int id;
  void Get(TData& d, uint16_t) { log->push_back(id), SetInteger(d, id); }
};

TEST_F(Rectangle, DataPointsAreReadInOrderAndTheFillColourOnlyWhenFilling) {
  using R = TKestoImg_Rectangle;
  TKesto_Event R::*points[] = {&R::Target, &R::Point1Source, &R::Point2Source, &R::CornerWidthSource,
                               &R::CornerHeightSource, &R::FillColorSource, &R::PenColorSource, &R::PenSizeSource};
  std::vector<int> log;
  std::vector<Logged> sources;
  for (int i = 0; i < 8; ++i) sources.push_back({&log, i ? i : dc_value});
  for (int i = 0; i < 8; ++i) rect.*points[i] = Link<&Logged::Get>(&sources[i]);
  rect.TargetKind = 2;
  Draw({});
  rect.NoFill = true;
  Draw({});
  EXPECT_EQ(log, (std::vector<int>{dc_value, 1, 2, 3, 4, 5, 6, 7, dc_value, 1, 2, 3, 4, 6, 7}));
}

TEST_F(Rectangle, WindowsAreDrawnOnAndMissingTargetsOnlyFireDrawn) {
  TBitmap empty(0, 5);
  Draw({});
  DrawOnBitmap(&empty);
  rect.TargetKind = 1;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 400, 300, 40, 40, nullptr,
                                nullptr, nullptr, nullptr);
  Draw(IntegerData(int32_t(reinterpret_cast<intptr_t>(window))));
  HDC window_dc = GetDC(window);
  EXPECT_EQ(GetPixel(window_dc, 10, 10), 0xFF00FFu);
  ReleaseDC(window, window_dc);
  DestroyWindow(window);
  // A window handle of 0 would be the whole screen.
  rect.FillColor = 0x123456, rect.Point1 = Pt(0, 0), rect.Point2 = Pt(300, 300);
  Draw(IntegerData(0));
  HDC screen = GetDC(nullptr);
  EXPECT_NE(GetPixel(screen, 150, 150), 0x123456u);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(drawn.values.size(), 4u);
}

TEST(RectangleGeometry, ScalesEachAxisAndRoundsHalvesToEven) {
  RECT r = drawing::ScaledCorners(Pt(5, 3), Pt(10, 1), true, 1.5, 2.5);  // size added before scaling
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{8, 8, 22, 10}));
  EXPECT_EQ(drawing::ScaledCorners(Pt(-1, 0), 0, false, 2.5, 1).left, -2);
  EXPECT_EQ(drawing::ScaledPenWidth(1, 1.5, 1.5), 2);
  EXPECT_EQ(drawing::ScaledPenWidth(1, 2, 3), 2);  // mean 2.5
  EXPECT_EQ(reinterpret_cast<intptr_t>(drawing::HandleFromInteger<HDC>(-2)), -2);
}

TEST(Bitmap, CopiesAndDrawsAtItsOwnSize) {
  TBitmap source(3, 2), copy(7, 7), screen_sized(20, 20);
  SetPixel(source.Canvas(), 2, 1, 0xFF);
  copy.Assign(source);
  EXPECT_EQ(std::pair(copy.Width(), copy.Height()), std::pair(3, 2));
  EXPECT_EQ(GetPixel(copy.Canvas(), 2, 1), 0xFFu);
  PatBlt(screen_sized.Canvas(), 0, 0, 20, 20, WHITENESS);
  copy.Draw(screen_sized.Canvas(), 10, 10);
  EXPECT_EQ(GetPixel(screen_sized.Canvas(), 12, 11), 0xFFu);
  EXPECT_EQ(GetPixel(screen_sized.Canvas(), 13, 11), 0xFFFFFFu);
  copy.Assign(TBitmap(0, 4));
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.Canvas(), nullptr);
}

}  // namespace
