// What the main schema's parts share: the window's colours and the steps
// that every control of a kind takes between its creation and its
// initialisation.
#pragma once
#include <memory>

#include "components/win/button.h"
#include "components/win/edit.h"
#include "components/win/label.h"
#include "components/win/message.h"
#include "components/win/simple_form.h"
#include "toolkit/resource_win.h"

namespace schema {

// The help texts are resources of this type in the program file.
constexpr int kHelpTextType = 100;

constexpr uint32_t kButtonFace = 0xFF00000F;
constexpr uint32_t kWindowBackground = 0xFF000005;
// The grey captions above the colour boxes, and the small grey status texts.
const toolkit::TFontRecord kGreyFont = {"MS Sans Serif", 8, 0, 0x808080, 1};
const toolkit::TFontRecord kSmallGreyFont = {"Arial", 7, 0, 0x808080, 204};

// What every control of the window shares: its place, a flat border, the
// button face behind it.
template <class C>
inline std::unique_ptr<C> NewControl(TKestoSimpleForm& form, int left, int top, int width, int height) {
  auto c = std::make_unique<C>(form.Control());
  c->Left = left;
  c->Top = top;
  c->Width = width;
  c->Height = height;
  c->Background = kButtonFace;
  c->Ctl3D = 1;
  return c;
}

inline std::unique_ptr<TKestoButton> NewButton(TKestoSimpleForm& form, int left, int top, int width, int height,
                                        const char* caption, const char* hint) {
  auto b = NewControl<TKestoButton>(form, left, top, width, height);
  b->Caption = caption;
  b->Hint = hint;
  b->Initialise();
  return b;
}

inline std::unique_ptr<TKestoLabel> NewLabel(TKestoSimpleForm& form, int left, int top, int width, int height,
                                      const char* caption, uint8_t autoSize, uint8_t alignment,
                                      const toolkit::TFontRecord& font = {}) {
  auto l = NewControl<TKestoLabel>(form, left, top, width, height);
  l->Caption = caption;
  l->Font = font;
  l->SetAutoSize(autoSize);
  l->SetAlignment(alignment);
  l->Initialise();
  return l;
}

inline std::unique_ptr<TKestoEdit> NewEdit(TKestoSimpleForm& form, int left, int top, int width, int height,
                                    const char* name, const char* hint) {
  auto e = NewControl<TKestoEdit>(form, left, top, width, height);
  e->Background = kWindowBackground;
  e->Name = name;
  e->Hint = hint;
  return e;
}

inline std::unique_ptr<TKestoMessage> NewHelpMessage(const char* resource, const char* caption) {
  auto m = std::make_unique<TKestoMessage>();
  m->Text = toolkit::LoadTextResource(resource, kHelpTextType);
  m->Caption = caption;
  return m;
}

}  // namespace schema
