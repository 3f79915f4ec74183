// From a Load to the painted preview for a 150 by 150 picture, against the
// same file decoded and drawn with direct WIC calls in the same run. Also
// shows that repeated loads do not grow the process: the loader keeps one
// decoded picture at most.
#include <windows.h>
#include <psapi.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "components/image/image.h"
#include "components/win/simple_form.h"
#include "runtime/dispatch.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/file_bytes.h"
#include "toolkit/system.h"

namespace {

constexpr int kSide = 150, kRounds = 300;

std::string Picture() {
  const int row = kSide * 3, size = 54 + row * kSide;
  std::string b(size_t(size), '\0');
  auto put = [&](int at, uint32_t v, int n) { for (int i = 0; i < n; ++i) b[size_t(at + i)] = char(v >> 8 * i); };
  b[0] = 'B', b[1] = 'M';
  put(2, size, 4), put(10, 54, 4), put(14, 40, 4), put(18, kSide, 4), put(22, kSide, 4), put(26, 1, 2), put(28, 24, 2);
  for (int i = 54; i < size; ++i) b[size_t(i)] = char(i * 7);
  return b;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

struct Counter {
  int n = 0;
  void In(TData&, uint16_t) { ++n; }
};

// Load, wait for the report, render into the control and paint it.
double ThroughComponents(const std::string& path, TKestoImageLoader& loader, TKestoImage& image, Counter& loaded) {
  HWND w = image.Control()->Handle();
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) {
    const int before = loaded.n;
    FireString(Link<&TKestoImageLoader::Load>(&loader), path);
    while (loaded.n == before) {
      WaitMessage();
      Pump();
    }
    UpdateWindow(w);
  }
  QueryPerformanceCounter(&end);
  return Seconds(start, end) / kRounds;
}

// The same work without components: decode, convert, stretch into a new
// bitmap, copy onto the window.
double Direct(const std::wstring& path, HWND w) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < kRounds; ++i) {
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&factory));
    factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder);
    decoder->GetFrame(0, &frame);
    factory->CreateFormatConverter(&converter);
    converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                          WICBitmapPaletteTypeCustom);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    converter->CopyPixels(nullptr, kSide * 4, kSide * kSide * 4, static_cast<BYTE*>(bits));
    HDC window = GetDC(w), source = CreateCompatibleDC(window), target = CreateCompatibleDC(window);
    HBITMAP shown = CreateCompatibleBitmap(window, kSide, kSide);
    HGDIOBJ old_source = SelectObject(source, section), old_target = SelectObject(target, shown);
    StretchBlt(target, 0, 0, kSide, kSide, source, 0, 0, kSide, kSide, SRCCOPY);
    BitBlt(window, 0, 0, kSide, kSide, target, 0, 0, SRCCOPY);
    SelectObject(source, old_source), SelectObject(target, old_target);
    DeleteDC(source), DeleteDC(target), ReleaseDC(w, window);
    DeleteObject(shown), DeleteObject(section);
    converter->Release(), frame->Release(), decoder->Release(), factory->Release();
  }
  QueryPerformanceCounter(&end);
  return Seconds(start, end) / kRounds;
}

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;  // Wine leaves PrivateUsage at 0
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  const std::string path = toolkit::TempFolder() + "ostrel picture bench.bmp";
  toolkit::WriteFileBytes(path, Picture());

  TKestoSimpleForm form(nullptr);
  form.Width = 300, form.Height = 250;
  form.Initialise();
  ShowWindow(form.Control()->Handle(), SW_SHOW);
  TKestoImage image(form.Control());
  image.Left = 10, image.Top = 10, image.Width = kSide, image.Height = kSide;
  image.Initialise();
  TKestoImageLoader loader;
  Counter loaded;
  SwitchDispatchOn();
  loader.Bitmap = Link<&TKestoImage::Load>(&image);
  // The program links Loaded to Render; the counter then notes the report.
  struct Chain {
    TKestoImageLoader* loader;
    Counter* loaded;
    void In(TData& d, uint16_t i) {
      loader->Render(d, i);
      loaded->In(d, i);
    }
  } chain{&loader, &loaded};
  loader.Loaded = Link<&Chain::In>(&chain);

  ThroughComponents(path, loader, image, loaded);  // warm up both paths
  Direct(toolkit::Widen(path), image.Control()->Handle());
  const size_t before = PrivateBytes();
  double ours = 1e9, direct = 1e9;
  for (int run = 0; run < 5; ++run) {
    ours = std::min(ours, ThroughComponents(path, loader, image, loaded));
    direct = std::min(direct, Direct(toolkit::Widen(path), image.Control()->Handle()));
  }
  const size_t after = PrivateBytes();
  std::printf("Load to painted preview, %dx%d: components %.1f us, direct WIC %.1f us, ratio %.2f\n", kSide, kSide,
              ours * 1e6, direct * 1e6, ours / direct);
  std::printf("Committed memory over %d more loads: %lu KB, then %+ld KB (one decoded picture is %d KB)\n",
              5 * kRounds, static_cast<unsigned long>(before / 1024), long(after / 1024) - long(before / 1024),
              kSide * kSide * 4 / 1024);
  SwitchDispatchOff();
  DeleteFileW(toolkit::Widen(path).c_str());
  CoUninitialize();
  return 0;
}
