#include "toolkit/wic_win.h"

#include <initguid.h>
#include <wincodec.h>

#include <cstdint>

#include "toolkit/cp1251_win.h"

namespace toolkit {

namespace {

constexpr UINT kDecodeMessage = WM_APP + 0x61;

// Releases the interface it holds.
template <class T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return p_; }
  T** Out() { return &p_; }
  T* Get() const { return p_; }

 private:
  T* p_ = nullptr;
};

std::wstring FullPath(const std::wstring& name) {
  DWORD n = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (n == 0) return std::wstring();
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(name.c_str(), n, full.data(), nullptr);
  if (n == 0 || n >= full.size()) return std::wstring();
  full.resize(n);
  return full;
}

bool IsFile(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A top-down 32-bit section of the given size; bits points at its pixels.
HBITMAP CreateSection(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

TPictureDecoder::TPictureDecoder(Done done, void* instance) : done_(done), instance_(instance) {}

TPictureDecoder::~TPictureDecoder() {
  // Reports still queued die with the window.
  delete window_;
  Drop();
}

void TPictureDecoder::Drop() {
  if (picture_) DeleteObject(picture_);
  picture_ = nullptr;
  width_ = height_ = 0;
}

void TPictureDecoder::Start(const std::string& name) {
  Drop();
  ++ticket_;
  path_ = name.empty() ? std::wstring() : FullPath(Widen(name));
  if (!IsFile(path_)) path_.clear();
  if (!window_) {
    window_ = new TControl(HWND_MESSAGE, "", WS_POPUP, 0);
    window_->SetListener(this);
  }
  PostMessageW(window_->Handle(), kDecodeMessage, ticket_, 0);
}

bool TPictureDecoder::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg != kDecodeMessage) return false;
  result = 0;
  if (wp != ticket_) return true;  // superseded by a later Start
  TDecodeOutcome outcome = path_.empty() ? TDecodeOutcome::Missing : Decode();
  done_(instance_, outcome);
  return true;
}

// The first frame, converted to 32-bit BGRA whatever the file holds (the
// decoders hand out palettes, 16, 24 and 32 bits as they come).
TDecodeOutcome TPictureDecoder::Decode() {
  Com<IWICImagingFactory> factory;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICFormatConverter> converter;
  UINT width = 0, height = 0;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.Out()))) ||
      FAILED(factory->CreateDecoderFromFilename(path_.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
      FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(factory->CreateFormatConverter(converter.Out())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                   0, WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
      uint64_t(width) * height * 4 > 0x7FFFFFFF)
    return TDecodeOutcome::Broken;
  void* bits = nullptr;
  HBITMAP section = CreateSection(int(width), int(height), &bits);
  if (!section) return TDecodeOutcome::Broken;
  if (FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits)))) {
    DeleteObject(section);
    return TDecodeOutcome::Broken;
  }
  picture_ = section;
  width_ = int(width);
  height_ = int(height);
  return TDecodeOutcome::Decoded;
}

void TPictureDecoder::Draw(HDC dc, const TArea& target, const TArea& source) const {
  if (!picture_ || !dc) return;
  HDC canvas = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(canvas, picture_);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, target.x, target.y, target.width, target.height, canvas, source.x, source.y, source.width,
             source.height, SRCCOPY);
  SelectObject(canvas, old);
  DeleteDC(canvas);
}

}  // namespace toolkit
