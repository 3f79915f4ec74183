// Under Windows the window's own decoder decides: it reports on a later
// turn of the message loop, which the check turns until it has.
#include <objbase.h>
#include <windows.h>


#include "batch/preview.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/wic_win.h"

namespace {

// COM for the decoder's lifetime, released by whoever took it.
class ComScope {
 public:
  ComScope() : taken_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (taken_) CoUninitialize();
  }

 private:
  bool taken_;
};

}  // namespace

struct PreviewDecoder::State {
  static void Reported(void* self, toolkit::TDecodeOutcome outcome) {
    static_cast<State*>(self)->outcome = outcome;
    static_cast<State*>(self)->reported = true;
  }
  ComScope com;
  bool reported = false;
  toolkit::TDecodeOutcome outcome = toolkit::TDecodeOutcome::Missing;
  toolkit::TPictureDecoder decoder{&Reported, this};
};

PreviewDecoder::PreviewDecoder() : state_(std::make_unique<State>()) {}
PreviewDecoder::~PreviewDecoder() = default;

bool PreviewDecoder::Decodes(const std::string& name, std::string& why) {
  state_->reported = false;
  state_->decoder.Start(name);
  MSG msg;
  while (!state_->reported && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (state_->reported && state_->outcome == toolkit::TDecodeOutcome::Decoded) return true;
  why = "does not decode as a picture: save it again as a BMP";
  return false;
}
