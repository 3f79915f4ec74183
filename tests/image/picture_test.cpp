// The picture loader on real files and the image control on a real form,
// both checked pixel by pixel.
#include <objbase.h>

#include <functional>

#include "components/image/image.h"
#include "tests/controls/fixture.h"
#include "tests/files/files_test.h"
#include "tests/image/bmp.h"

namespace {

struct ComEnvironment : ::testing::Environment {
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }
};
::testing::Environment* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);
::testing::Environment* const kForm = ::testing::AddGlobalTestEnvironment(new FormEnvironment);

int32_t Pt(int x, int y) { return int32_t(uint16_t(x) | uint32_t(uint16_t(y)) << 16); }

constexpr COLORREF kPink = RGB(255, 0, 255), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

// Left half pink, right half green.
std::string Halves(int w, int h) { return Bmp(w, h, [w](int x, int) { return x < w / 2 ? kPink : kGreen; }); }

bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 200 && !done(); ++i) Pump(10);
  return done();
}

// Keeps a copy of every bitmap: the loader frees its own once the event is over.
struct Keeper {
  TBitmap copy;
  int received = 0;
  void In(TData& d, uint16_t) {
    ++received;
    copy.Assign(*static_cast<TBitmap*>(d.Pointer));
  }
  COLORREF At(int x, int y) const { return GetPixel(copy.Canvas(), x, y); }
};

struct LoaderTest : ::testing::Test {
  DispatchOn on;
  Scratch dir{"картинки"};
  TKestoImageLoader loader;
  Probe loaded, failed;
  Keeper bitmap;
  void SetUp() override {
    loader.Loaded = Link<&Probe::In>(&loaded);
    loader.Failed = Link<&Probe::In>(&failed);
    loader.Bitmap = Link<&Keeper::In>(&bitmap);
  }
  // Load, wait for the one report, then render.
  void LoadAndRender(const std::string& name) {
    loaded = failed = Probe();
    FireString(Link<&TKestoImageLoader::Load>(&loader), name);
    EXPECT_TRUE(loaded.values.empty() && failed.values.empty()) << "reported inside Load";
    WaitFor([&] { return !failed.values.empty() || !loaded.values.empty(); });
    Pump(30);  // a stale or second report would arrive now
    FireNull(Link<&TKestoImageLoader::Render>(&loader));
  }
};

TEST(PictureGeometry, AreasAndTheCentredFit) {
  using A = toolkit::TArea;
  auto same = [](A a, A b) { return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height; };
  EXPECT_TRUE(same(picture::Area(Pt(5, 2), Pt(8, 9), true, 40, 20), A{5, 2, 8, 9}));
  EXPECT_TRUE(same(picture::Area(Pt(-5, 2), Pt(8, 9), false, 40, 20), A{-5, 2, 13, 7}));
  struct Case { A target; int w, h; A fitted; } cases[] = {
      {{3, 4, 20, 10}, 40, 20, {3, 4, 20, 10}},  // same proportions
      {{0, 0, 10, 10}, 3, 2, {0, 2, 10, 6}},     // 20 / 3 truncates
      {{0, 0, 20000, 20000}, 20000, 10000, {0, 5000, 20000, 10000}}};  // past 32-bit products
  for (const Case& c : cases)
    EXPECT_TRUE(same(picture::FitCentred(c.target, c.w, c.h), c.fitted)) << c.w << "x" << c.h;
}

TEST_F(LoaderTest, RendersTheSourcePartFittedAndCentredIntoTheTarget) {
  struct Case {
    int w, h;
    int32_t dest2, src1;
    int bw, bh;
    RECT drawn;  // right and bottom inclusive
    COLORREF left, right;
  } cases[] = {
      {40, 20, Pt(20, 20), 0, 20, 20, {0, 5, 19, 14}, kPink, kGreen},
      {20, 40, Pt(20, 20), 0, 20, 20, {5, 0, 14, 19}, kPink, kGreen},
      {30, 30, 0, 0, 30, 30, {0, 0, 29, 29}, kPink, kGreen},          // the program's settings: unscaled
      {40, 20, 0, Pt(20, 0), 40, 20, {10, 0, 29, 19}, kGreen, kGreen},  // the right half, centred
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    dir.File("p.bmp", Halves(c.w, c.h));
    loader.DestPoint2 = c.dest2, loader.DestPoint2IsSize = c.dest2 != 0, loader.SrcPoint1 = c.src1;
    bitmap.received = 0;
    LoadAndRender(dir.root + "p.bmp");
    ASSERT_EQ(bitmap.received, 1);
    EXPECT_EQ(std::pair(bitmap.copy.Width(), bitmap.copy.Height()), std::pair(c.bw, c.bh));
    const RECT& r = c.drawn;
    EXPECT_EQ(bitmap.At(r.left, r.top), c.left);
    EXPECT_EQ(bitmap.At(r.right, r.bottom), c.right);
    for (auto [x, y] : {std::pair{r.left - 1, r.top}, {r.left, r.top - 1}, {r.right + 1, r.bottom}, {r.right, r.bottom + 1}})
      if (x >= 0 && y >= 0 && x < c.bw && y < c.bh) {
        EXPECT_TRUE(bitmap.At(x, y) != kPink && bitmap.At(x, y) != kGreen) << x << "," << y;
      }
  }
}

TEST_F(LoaderTest, MissingBrokenAndRelativeNames) {
  dir.File("good.bmp", Halves(8, 6));
  dir.File("broken.bmp", "BM this is no picture");
  dir.Folder("folder.bmp");
  struct Case { std::string name; size_t loaded, failed; int rendered; } cases[] = {
      {dir.root + "none.bmp", 0, 1, 0}, {dir.root + "folder.bmp", 0, 1, 0}, {"", 0, 1, 0},
      {dir.root + "broken.bmp", 1, 1, 0}, {"good.bmp", 1, 0, 1},  // against the current folder
  };
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(dir.Wide("").c_str());
  for (const Case& c : cases) {
    bitmap.received = 0;
    LoadAndRender(c.name);
    EXPECT_EQ(loaded.values.size(), c.loaded) << c.name;
    EXPECT_EQ(failed.values.size(), c.failed) << c.name;
    EXPECT_EQ(bitmap.received, c.rendered) << c.name;
  }
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(std::pair(bitmap.copy.Width(), bitmap.copy.Height()), std::pair(8, 6));
}

// Clicking quickly through a list: every Load supersedes the one before, so
// only the last file is reported and rendered, even when it is missing.
TEST_F(LoaderTest, ALaterLoadDropsTheEarlierReport) {
  dir.File("a.bmp", Bmp(10, 10, [](int, int) { return kPink; }));
  dir.File("b.bmp", Bmp(12, 7, [](int, int) { return kGreen; }));
  FireString(Link<&TKestoImageLoader::Load>(&loader), dir.root + "a.bmp");
  LoadAndRender(dir.root + "b.bmp");
  EXPECT_EQ(loaded.values.size(), 1u);
  ASSERT_EQ(bitmap.received, 1);
  EXPECT_EQ(bitmap.copy.Width(), 12);
  EXPECT_EQ(bitmap.At(0, 0), kGreen);

  FireString(Link<&TKestoImageLoader::Load>(&loader), dir.root + "a.bmp");
  LoadAndRender(dir.root + "none.bmp");
  EXPECT_TRUE(loaded.values.empty());
  EXPECT_EQ(failed.values.size(), 1u);
  EXPECT_EQ(bitmap.received, 1);
}

TEST_F(ControlsTest, ImageIsCentredWithItsMarginsInTheBackground) {
  TKestoImage image(Parent());
  image.Background = kBlue;
  HWND w = Place(image, 10, 10, 150, 150);
  auto show = [&](TBitmap* b) {
    TData v;
    if (b) SetBitmap(v, b);
    FireEvent(Link<&TKestoImage::Load>(&image), v);
    UpdateWindow(w);
    Pump(50);
  };
  HDC dc = GetDC(w);
  struct Case { int w, h; POINT at; } cases[] = {{100, 80, {25, 35}}, {200, 200, {-25, -25}}, {150, 150, {0, 0}}};
  for (const Case& c : cases) {
    TBitmap b(c.w, c.h);
    PatBlt(b.Canvas(), 0, 0, c.w, c.h, BLACKNESS);
    SetPixel(b.Canvas(), 25, 35, kPink);  // marks the drawn position
    SetPixel(b.Canvas(), c.w - 1, c.h - 1, kGreen);
    show(&b);
    const int x = c.at.x, y = c.at.y;
    EXPECT_EQ(GetPixel(dc, x + 25, y + 35), kPink) << c.w;
    if (x + c.w <= 150) {
      EXPECT_EQ(GetPixel(dc, x + c.w - 1, y + c.h - 1), kGreen) << c.w;
    }
    for (auto [px, py] : {std::pair{x - 1, y + 1}, {x + 1, y - 1}, {x + c.w, y + 1}, {x + 1, y + c.h}, {0, 0}, {149, 149}})
      if (px >= 0 && py >= 0 && px < 150 && py < 150 && !(px >= x && px < x + c.w && py >= y && py < y + c.h)) {
        EXPECT_EQ(GetPixel(dc, px, py), kBlue) << c.w << ": " << px << "," << py;
      }
  }
  show(nullptr);  // no bitmap: keeps the picture
  EXPECT_EQ(GetPixel(dc, 25, 35), kPink);
  TBitmap empty;
  show(&empty);
  for (auto [px, py] : {std::pair{25, 35}, {75, 75}, {149, 149}}) EXPECT_EQ(GetPixel(dc, px, py), kBlue);
  ReleaseDC(w, dc);
}

}  // namespace
