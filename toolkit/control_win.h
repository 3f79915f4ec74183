// One Win32 window and what the components need of it. A TControl owns its
// HWND; messages go first to the listener (the component), then to the
// window class's own procedure.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/gdi_win.h"

namespace toolkit {

// Listeners see a child's notifications to its parent under this offset.
constexpr UINT kReflected = WM_USER + 0x1C00;

class TControlListener {
 public:
  virtual ~TControlListener() = default;
  // True when the message is fully handled and `result` is the answer.
  virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) = 0;
  // The window is gone (destroyed by the system or by its owner).
  virtual void OnDestroyed() {}
};

class TControl {
 public:
  // A hidden child window of `parent`, of a system class or of the toolkit's own.
  TControl(TControl* parent, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0);
  // A hidden top-level window owned by `owner` (the forms and the application window).
  TControl(HWND owner, const std::string& caption, DWORD style, DWORD exStyle);
  ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  HWND Handle() const { return hwnd_; }
  TControl* Parent() const { return parent_; }
  bool Destroyed() const { return hwnd_ == nullptr; }
  void SetListener(TControlListener* listener) { listener_ = listener; }
  // The window class's own handling of a message.
  LRESULT CallPrevious(UINT msg, WPARAM wp, LPARAM lp);

  void SetBounds(int left, int top, int width, int height);
  void SetColor(uint32_t color);
  uint32_t Color() const { return color_; }
  void SetFont(const TFontRecord& font);
  void CopyFont(const TControl& from);
  HFONT FontHandle() const { return hfont_; }
  void SetEnabled(bool enabled);
  void SetVisible(bool visible);
  void SetText(const std::string& text);
  std::string Text() const;
  void ModifyStyle(DWORD remove, DWORD add);
  void ModifyExStyle(DWORD remove, DWORD add);
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
  // Re-reads the frame after style changes without moving or showing.
  void RefreshFrame();

  static TControl* FromHandle(HWND hwnd);
  // Offers a notification the parent received (WM_COMMAND, WM_NOTIFY,
  // WM_VSCROLL, WM_HSCROLL) to this control's listener as kReflected + msg.
  bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  void Attach(HWND hwnd);
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool ColorChild(HDC dc, HWND child, LRESULT& result);

  HWND hwnd_ = nullptr;
  TControl* parent_ = nullptr;
  WNDPROC previous_ = nullptr;
  TControlListener* listener_ = nullptr;
  bool own_class_ = false;  // erases its own background
  uint32_t color_ = 0xFF00000F;
  HBRUSH brush_ = nullptr;
  TFontRecord font_;
  HFONT hfont_ = nullptr;
  HCURSOR cursor_ = nullptr;
};

// The toolkit's own window class (plain DefWindowProc behaviour).
const wchar_t* OwnWindowClass();

}  // namespace toolkit
