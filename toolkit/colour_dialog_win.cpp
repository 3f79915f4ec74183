#include "toolkit/colour_dialog_win.h"

#include <commdlg.h>

#include "toolkit/gdi_win.h"

namespace toolkit {

TColorDialog::TColorDialog() {
  for (COLORREF& c : CustomColors) c = 0x00FFFFFF;
}

bool TColorDialog::Execute() {
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = Owner;
  cc.rgbResult = ResolveColor(Color);
  cc.lpCustColors = CustomColors;
  cc.Flags = CC_RGBINIT;
  if (Mode == 0) cc.Flags |= CC_FULLOPEN;
  if (Mode == 2) cc.Flags |= CC_PREVENTFULLOPEN;
  if (!ChooseColorW(&cc)) return false;
  Color = cc.rgbResult;
  return true;
}

}  // namespace toolkit
