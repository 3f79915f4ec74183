#include "components/image/colour.h"

#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/app_win.h"
#include "toolkit/colour_dialog_win.h"
#include "toolkit/gdi_win.h"

void TKestoToRGB::Convert(TData& data, uint16_t) {
  COLORREF c = toolkit::ResolveColor(PullInteger(data, ColorSource, static_cast<int32_t>(Color)));
  r_ = GetRValue(c);
  g_ = GetGValue(c);
  b_ = GetBValue(c);
  TData r = IntegerData(r_), g = IntegerData(g_), b = IntegerData(b_);
  r.Next = &g;
  g.Next = &b;
  FireEvent(Result, r);
}

void TKestoToRGB::R(TData& data, uint16_t) { SetInteger(data, r_); }
void TKestoToRGB::G(TData& data, uint16_t) { SetInteger(data, g_); }
void TKestoToRGB::B(TData& data, uint16_t) { SetInteger(data, b_); }

void TKestoColorDialog::Execute(TData& data, uint16_t) {
  toolkit::TColorDialog dialog;
  dialog.Mode = 1;
  dialog.Owner = toolkit::MainFormHandle;
  dialog.Color = static_cast<uint32_t>(PullInteger(data, Color, 0));
  if (dialog.Execute()) ForwardInteger(data, Chosen, static_cast<int32_t>(dialog.Color));
}
