#include "schema/main_schema.h"

TClassSimpleForm_4E37510::TClassSimpleForm_4E37510(void* owner) {
  MainForm = std::make_unique<TKestoSimpleForm>(owner);
  MainForm->Left = 100;
  MainForm->Top = 100;
  MainForm->Width = 717;
  MainForm->Height = 239;
  MainForm->Background = 0xFF00000F;
  MainForm->Ctl3D = 1;
  MainForm->Font = {"MS Sans Serif", 8, 0, 0, 1};
  MainForm->Visible = 1;
  MainForm->Enabled = 1;
  MainForm->DragByClient = 0;
  MainForm->SetCaption("Ostrel");
  MainForm->SetBorderStyle(1);
  MainForm->SetIcon(LoadIconW(GetModuleHandleW(nullptr), L"OSTREL"));
  MainForm->SetHideTaskbarButton(0);
  MainForm->Initialise();
}
