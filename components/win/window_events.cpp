#include "components/win/window_events.h"

#include <windowsx.h>

#include "runtime/dispatch.h"


void TKestoWindowEvents::Color(TData& data, uint16_t) {
  if (control_) control_->SetColor(static_cast<uint32_t>(ValueToInteger(data)));
}

void TKestoWindowEvents::Enable(TData& data, uint16_t) {
  Enabled = ValueToInteger(data) != 0;
  if (HasWindow()) control_->SetEnabled(Enabled != 0);
}

void TKestoWindowEvents::HookHint() {
  if (Hint.empty() || !HintManager || !control_ || tooltip_) return;
  hints_ = HintManager;
  tooltip_ = hints_->Operations->AddWindow(hints_, control_->Handle());
  hints_->Operations->SetText(hints_, tooltip_, Hint);
}

void TKestoWindowEvents::ApplyCommon() {
  control_->SetListener(this);
  control_->SetColor(Background);
  control_->SetBounds(Left, Top, Width, Height);
  control_->SetEnabled(Enabled != 0);
  if (Cursor) control_->SetCursor(reinterpret_cast<HCURSOR>(static_cast<intptr_t>(Cursor)));
}

// By now the component's own message handling is gone: the control stops
// reporting to it first, then it is hidden and freed unless the system
// already destroyed it.
TKestoWindowEvents::~TKestoWindowEvents() {
  if (control_) control_->SetListener(nullptr);
  if (tooltip_) hints_->Operations->Remove(hints_, tooltip_);
  if (HasWindow()) ShowWindow(control_->Handle(), SW_HIDE);
  delete control_;
}

static int ButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return 1;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return 2;
    default: return 0;
  }
}

// 0, 1 or 2 when exactly that one button is held, else -1.
static int HeldButton(WPARAM wp) {
  switch (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) {
    case MK_LBUTTON: return 0;
    case MK_RBUTTON: return 1;
    case MK_MBUTTON: return 2;
    default: return -1;
  }
}

void TKestoWindowEvents::OnMouseDown(int button) {
  if (MouseCapture) SetCapture(control_->Handle());
  FireInteger(MouseDown, button);
}

void TKestoWindowEvents::FireMouseOver() {
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, control_->Handle(), HOVER_DEFAULT};
  TrackMouseEvent(&track);
  if (tooltip_) hints_->Operations->TrackOn(hints_, tooltip_);
  FireNull(MouseOver);
}

void TKestoWindowEvents::HandleCommon(UINT msg, WPARAM wp, LPARAM lp) {
  if ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSEWHEEL) || msg == WM_MOUSEHOVER) FireMouseOver();
  switch (msg) {
    case WM_KEYDOWN: FireInteger(KeyDown, static_cast<int32_t>(wp)); break;
    case WM_KEYUP: FireInteger(KeyUp, static_cast<int32_t>(wp)); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: OnMouseDown(ButtonOf(msg)); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (MouseCapture) ReleaseCapture();
      FireInteger(MouseUp, ButtonOf(msg));
      break;
    case WM_MOUSEMOVE:
      if (tooltip_) {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(control_->Handle(), &p);
        hints_->Operations->TrackPosition(hints_, tooltip_, p.x, p.y);
      }
      FireInteger(MouseMove, HeldButton(wp));
      break;
    case WM_MOUSEWHEEL: FireInteger(MouseWheel, GET_WHEEL_DELTA_WPARAM(wp)); break;
    case WM_MOUSELEAVE: {
      if (tooltip_) hints_->Operations->TrackOff(hints_, tooltip_);
      TRACKMOUSEEVENT track{sizeof track, TME_HOVER, control_->Handle(), HOVER_DEFAULT};
      TrackMouseEvent(&track);
      FireNull(MouseLeave);
      break;
    }
    case WM_SETFOCUS: FireNull(FocusIn); break;
    case WM_KILLFOCUS: FireNull(FocusOut); break;
    case WM_MOVE: FireNull(Moved); break;
    case WM_SIZE: FireNull(Resized); break;
    case WM_SHOWWINDOW:
      if (wp && !IsWindowVisible(control_->Handle())) FireNull(Shown);
      break;
  }
}
