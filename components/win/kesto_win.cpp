#include "components/win/kesto_win.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/cp1251_win.h"

TKestoWin::TKestoWin(toolkit::TControl* parent_control) : parent(parent_control) {
  if (parent) Background = parent->Color();
}

void TKestoWin::Initialise() {
  // The subclass has created control_ by now.
  if (!control_) return;
  ApplyCommon();
  if (Ctl3D == 0) {
    control_->ModifyStyle(WS_BORDER, 0);
    control_->ModifyExStyle(0, WS_EX_CLIENTEDGE);
  }
  if (Ctl3D == 1) {
    control_->ModifyStyle(0, WS_BORDER);
    control_->ModifyExStyle(WS_EX_CLIENTEDGE, 0);
  }
  if (Flat) control_->ModifyStyle(0, 0x8000);
  if (ParentFont && parent)
    control_->CopyFont(*parent);
  else
    control_->SetFont(Font);
  if (TabOrder > 0) control_->ModifyStyle(0, WS_TABSTOP);
  if (TabOrder == 0) control_->ModifyStyle(WS_TABSTOP, 0);
  control_->RefreshFrame();
  control_->SetVisible(Visible != 0);
  control_->Create();
  if (Ctl3D == 0) ApplyBorder();
}

void TKestoWin::ApplyBorder() {
  static const DWORD kinds[] = {WS_EX_CLIENTEDGE, 0, WS_EX_STATICEDGE, WS_EX_DLGMODALFRAME,
                                WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME};
  if (BorderKind == 0 || BorderKind > 4) return;
  control_->ModifyExStyle(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME, kinds[BorderKind]);
  control_->RefreshFrame();
}

// A linked ResizeWidth or ResizeHeight may change a size request: it is
// asked with the requested change and answers the change to apply.
int TKestoWin::Constrain(const TKesto_Event& point, int requested, int current) {
  if (requested == current) return requested;
  TData d = IntegerData(requested - current);
  PassData(point, d);
  return d.Type() == dtInteger ? current + d.IntValue : requested;
}

void TKestoWin::ConstrainSize(WINDOWPOS& pos) {
  if (pos.flags & SWP_NOSIZE) return;
  RECT r;
  GetWindowRect(control_->Handle(), &r);
  pos.cx = Constrain(ResizeWidth, pos.cx, r.right - r.left);
  pos.cy = Constrain(ResizeHeight, pos.cy, r.bottom - r.top);
}

bool TKestoWin::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT&) {
  HandleCommon(msg, wp, lp);
  if (msg == WM_CHAR) {
    wchar_t c = static_cast<wchar_t>(wp);
    FireString(KeyChar, toolkit::Narrow(std::wstring(1, c)));
  }
  if (msg == WM_WINDOWPOSCHANGING) ConstrainSize(*reinterpret_cast<WINDOWPOS*>(lp));
  return false;
}
