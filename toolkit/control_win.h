// One Win32 window and what the components need of it. A TControl owns its
// HWND; messages go first to the listener (the component), then to the
// window class's own procedure.
//
// A child control's window is made by Create(), once the component has set
// its styles, place, text, font and state: one CreateWindowEx in place of a
// string of changes to a window that exists already, each of which costs a
// round trip to the window server under Wine and a burst of messages.
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
  // A child control of `parent`, of a system class or of the toolkit's own,
  // hidden until shown; its window comes with Create().
  TControl(TControl* parent, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0);
  // A hidden top-level window owned by `owner` (the forms and the application window).
  TControl(HWND owner, const std::string& caption, DWORD style, DWORD exStyle);
  ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // Makes a child's window from what was set so far; a window that exists
  // stays as it is.
  void Create();
  HWND Handle() const { return hwnd_; }  // null until created
  TControl* Parent() const { return parent_; }
  bool Destroyed() const { return created_ && hwnd_ == nullptr; }
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
  // Repaints the window, if it is on the screen.
  void Invalidate();

  static TControl* FromHandle(HWND hwnd);
  // Offers a notification the parent received (WM_COMMAND, WM_NOTIFY,
  // WM_VSCROLL, WM_HSCROLL) to this control's listener as kReflected + msg.
  bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  void Attach(HWND hwnd);
  bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool ColorChild(HDC dc, HWND child, LRESULT& result);

  // Styles set before the window exists: what the window is made with, and
  // the changes made to the style it was first given. A control may change
  // its own style as it is made (an edit box drops WS_BORDER for a border of
  // its own, a progress bar adds an edge); the changes are then made again
  // to what it made, as if they had come after.
  struct PendingStyle {
    DWORD value, remove = 0, add = 0;
    void Modify(DWORD r, DWORD a) {
      value = (value & ~r) | a;
      remove |= r;
      add = (add & ~r) | a;
    }
    DWORD Over(DWORD made) const { return (made & ~remove) | add; }
  };

  HWND hwnd_ = nullptr;
  bool created_ = false;
  bool frame_changed_ = false;  // styles changed since the frame was last read
  TControl* parent_ = nullptr;
  // A child's window until it is created.
  const wchar_t* class_ = nullptr;
  PendingStyle style_{0}, ex_style_{0};
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::wstring text_;
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
