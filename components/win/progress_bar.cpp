#include "components/win/progress_bar.h"

#include <commctrl.h>

#include "runtime/pull.h"

void TKestoProgressBar::Initialise() {
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (Vertical == 1) style |= PBS_VERTICAL;
  if (Smooth == 1) style |= PBS_SMOOTH;
  control_ = new toolkit::TControl(parent, PROGRESS_CLASSW, style);
  if (Ctl3D == 1) control_->ModifyExStyle(~DWORD{0}, 0);
  TKestoWin::Initialise();
  HWND w = control_->Handle();
  SendMessageW(w, PBM_SETRANGE32, 0, Max);
  SendMessageW(w, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(toolkit::ResolveColor(BarColor)));
}

void TKestoProgressBar::Position(TData& data, uint16_t) {
  const int32_t position = PullInteger(data, NoLink, 0);
  if (HasWindow())
    SendMessageW(control_->Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
