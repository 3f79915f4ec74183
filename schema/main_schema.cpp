// The main window: the form, then the instances of each flow in the order
// of the instance table (wall_flow, inputs_flow, house_flow, update_flow),
// their links, and the hookups that need every instance in place.
#include "schema/main_schema.h"

#include <type_traits>

#include "schema/controls.h"
#include "schema/folder_maker.h"
#include "schema/model_writer.h"

using namespace schema;

TClassSimpleForm_4E37510::TClassSimpleForm_4E37510(void* owner) {
  MainForm = std::make_unique<TKestoSimpleForm>(owner);
  MainForm->Left = 100;
  MainForm->Top = 100;
  MainForm->Width = 717;
  MainForm->Height = 239;
  MainForm->Background = kButtonFace;
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

  EnglishNameEdit = NewEdit(*MainForm, 170, 55, 150, 20, "color_name_eng", "Используется для имен файлов и папок.");
  EnglishNameEdit->Initialise();
  CreateWalls();
  CreateInputs();
  CreateHouseList();
  CreateHouseButton();
  CreateWallHelp();
  CreateHouseHelp();
  CreateLegend();
  CreateColourBoxes();
  CreateUpdate();

  LinkWalls();
  LinkInputs();
  LinkColours();
  LinkHouses();
  LinkHelp();
  LinkUpdate();
  MainForm->HookPaint(Link<&TKestoHub::In>(MarkerHub.get()));

  HookHints();
  ModelWriter->SetFactory(&TClassMultiElementEx_4EA8790::Factory);
  WallFolderMaker->SetFactory(&TClassMultiElementEx_4EA8FD0::Factory);
}

// In creation order; controls without a hint get no tooltip.
void TClassSimpleForm_4E37510::HookHints() {
  ForEachInstance([](const char*, auto* instance) {
    if constexpr (std::is_base_of_v<TKestoWindowEvents, std::remove_pointer_t<decltype(instance)>>)
      instance->HookHint();
  });
}
