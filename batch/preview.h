// What the check needs of the platform: whether a preview picture decodes
// as the window would decode it. One implementation
// per platform: preview_win.cpp (the window's own decoder) and
// preview_host.cpp (a packaged decoder, held to what Windows decodes).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

class PreviewDecoder {
 public:
  PreviewDecoder();
  ~PreviewDecoder();
  PreviewDecoder(const PreviewDecoder&) = delete;
  PreviewDecoder& operator=(const PreviewDecoder&) = delete;

  // True when the existing file `name` (cp1251) decodes whole; else `why`
  // says what is wrong with it, to follow the file's name in a message.
  bool Decodes(const std::string& name, std::string& why);

 private:
  struct State;
  std::unique_ptr<State> state_;
};
