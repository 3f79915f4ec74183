// Picture files decoded with the Windows Imaging Component. Decoding is
// started now and reported on a later turn of the window thread's message
// loop, never from inside Start; the decoded picture is kept as a 32-bit
// BGRA section until the next Start or the end of the decoder.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/control_win.h"

namespace toolkit {

// A rectangle as the components count it: corner and size.
struct TArea {
  int x = 0, y = 0, width = 0, height = 0;
};

enum class TDecodeOutcome { Decoded, Missing, Broken };

class TPictureDecoder : private TControlListener {
 public:
  using Done = void (*)(void* instance, TDecodeOutcome outcome);
  TPictureDecoder(Done done, void* instance);
  ~TPictureDecoder() override;
  TPictureDecoder(const TPictureDecoder&) = delete;
  TPictureDecoder& operator=(const TPictureDecoder&) = delete;

  // Drops the picture at once, resolves the cp1251 name against the current
  // folder and decodes it later. A Start before that report supersedes it:
  // only the last Start is reported, once.
  void Start(const std::string& name);

  int Width() const { return width_; }    // 0 without a picture
  int Height() const { return height_; }
  // Stretches the source part of the picture into the target part of dc,
  // a plain copy.
  void Draw(HDC dc, const TArea& target, const TArea& source) const;

 private:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  TDecodeOutcome Decode();
  void Drop();

  Done done_;
  void* instance_;
  TControl* window_ = nullptr;  // message-only, made at the first Start
  WPARAM ticket_ = 0;           // of the last Start; older reports are stale
  std::wstring path_;           // empty: no file there
  HBITMAP picture_ = nullptr;  // top-down 32-bit section
  int width_ = 0, height_ = 0;
};

}  // namespace toolkit
