// The inputs both flows read: the two names, the floor count with its
// spinner, the two colours with their choosers and swatches; and the "?"
// buttons with their help texts.
#include "schema/main_schema.h"

#include "schema/controls.h"

using namespace schema;

void TClassSimpleForm_4E37510::CreateInputs() {
  ColourLabel = NewLabel(*MainForm, 15, 25, 148, 20, "Выберите цвет:", 0, 1);
  EnglishNameLabel = NewLabel(*MainForm, 15, 55, 148, 20, "Название цвета (англ):", 0, 1);
  RussianNameLabel = NewLabel(*MainForm, 15, 85, 148, 20, "Название цвета (рус):", 0, 1);
  FloorCountLabel = NewLabel(*MainForm, 15, 115, 148, 17, "Кол-во этажей:", 0, 1);
  RussianNameEdit = NewEdit(*MainForm, 170, 85, 150, 20, "color_name_rus", "Для параметра GameName в файлах моделей");
  RussianNameEdit->Initialise();
  FloorCountEdit = NewEdit(*MainForm, 170, 115, 50, 20, "floor_count", "");
  FloorCountEdit->InitialText = "5";
  FloorCountEdit->Enabled = 0;
  FloorCountEdit->Initialise();
  FloorCountSpinner = NewControl<TKestoUpDown>(*MainForm, 220, 115, 20, 20);
  FloorCountSpinner->Min = 1;
  FloorCountSpinner->Max = 101;
  FloorCountSpinner->InitialPosition = 5;
  FloorCountSpinner->Increment = 1;
  FloorCountSpinner->Vertical = 1;
  FloorCountSpinner->Initialise();
  CreateColour(1);
  CreateColour(2);
}

void TClassSimpleForm_4E37510::CreateColour(int n) {
  auto& button = n == 1 ? Colour1Button : Colour2Button;
  auto& dialog = n == 1 ? Colour1Dialog : Colour2Dialog;
  auto& hub = n == 1 ? Colour1Hub : Colour2Hub;
  auto& split = n == 1 ? Colour1Split : Colour2Split;
  auto& redGreen = n == 1 ? Colour1RedGreen : Colour2RedGreen;
  auto& text = n == 1 ? Colour1Text : Colour2Text;
  button = NewButton(*MainForm, n == 1 ? 220 : 300, 25, 20, 20, "...",
                     n == 1 ? "Выбрать Цвет 1" : "Выбрать Цвет 2");
  dialog = std::make_unique<TKestoColorDialog>();
  hub = std::make_unique<TKestoHub>(2);
  split = std::make_unique<TKestoToRGB>();
  split->Color = 0;
  redGreen = std::make_unique<TKestoStrCatDelim>();
  redGreen->Delimiter = " ";
  text = std::make_unique<TKestoStrCatDelim>();
  text->Delimiter = " ";
}

void TClassSimpleForm_4E37510::CreateWallHelp() {
  WallHelpButton = NewButton(*MainForm, 300, 180, 20, 20, "?", "О стенах");
  WallHelpMessage = NewHelpMessage("Str1", "Справка по стенам");
}

void TClassSimpleForm_4E37510::CreateHouseHelp() {
  HouseHelpButton = NewButton(*MainForm, 520, 180, 20, 20, "?", "О домах");
  HouseHelpMessage = NewHelpMessage("Str2", "Справка по домам");
}

void TClassSimpleForm_4E37510::CreateColourBoxes() {
  Colour1Caption = NewLabel(*MainForm, 170, 10, 38, 15, "Цвет 1", 1, 0, kGreyFont);
  Colour2Caption = NewLabel(*MainForm, 250, 10, 38, 15, "Цвет 2", 1, 0, kGreyFont);
  Colour1Swatch = NewEdit(*MainForm, 170, 25, 45, 20, "color", "Цвет 1");
  Colour1Swatch->ReadOnly = 1;
  Colour1Swatch->Enabled = 0;
  Colour1Swatch->Initialise();
  Colour2Swatch = NewEdit(*MainForm, 250, 25, 45, 20, "color2", "Цвет 2");
  Colour2Swatch->ReadOnly = 1;
  Colour2Swatch->Enabled = 0;
  Colour2Swatch->Initialise();
  AboutButton = NewButton(*MainForm, 10, 5, 20, 20, "?", "О программе");
  AboutMessage = NewHelpMessage("Str3", "О программе");
  UpdateHelpButton = NewButton(*MainForm, 115, 180, 20, 20, "?", "Об обновлении");
  UpdateHelpMessage = NewHelpMessage("Str4", "Об обновлениях");
}

void TClassSimpleForm_4E37510::LinkInputs() {
  for (TKestoEdit* edit : {EnglishNameEdit.get(), RussianNameEdit.get(), FloorCountEdit.get(),
                           Colour1Swatch.get(), Colour2Swatch.get()})
    edit->TextGetter = edit->OwnTextGetter();
  FloorCountSpinner->Position = Link<&TKestoEdit::Text>(FloorCountEdit.get());
}

void TClassSimpleForm_4E37510::LinkColours() {
  Colour1Button->Click = Link<&TKestoColorDialog::Execute>(Colour1Dialog.get());
  Colour1Dialog->Chosen = Link<&TKestoHub::In>(Colour1Hub.get());
  Colour1Hub->Out[0] = Link<&TKestoEdit::Color>(Colour1Swatch.get());
  Colour1Hub->Out[1] = Link<&TKestoToRGB::Convert>(Colour1Split.get());
  Colour1Split->Result = Link<&TKestoStrCatDelim::Concat>(Colour1RedGreen.get());
  Colour1RedGreen->Str1Source = Link<&TKestoToRGB::R>(Colour1Split.get());
  Colour1RedGreen->Str2Source = Link<&TKestoToRGB::G>(Colour1Split.get());
  Colour1RedGreen->Result = Link<&TKestoStrCatDelim::Concat>(Colour1Text.get());
  Colour1Text->Str1Source = Link<&TKestoStrCatDelim::Value>(Colour1RedGreen.get());
  Colour1Text->Str2Source = Link<&TKestoToRGB::B>(Colour1Split.get());

  Colour2Button->Click = Link<&TKestoColorDialog::Execute>(Colour2Dialog.get());
  Colour2Dialog->Chosen = Link<&TKestoHub::In>(Colour2Hub.get());
  Colour2Hub->Out[0] = Link<&TKestoEdit::Color>(Colour2Swatch.get());
  Colour2Hub->Out[1] = Link<&TKestoToRGB::Convert>(Colour2Split.get());
  Colour2Split->Result = Link<&TKestoStrCatDelim::Concat>(Colour2RedGreen.get());
  Colour2RedGreen->Str1Source = Link<&TKestoToRGB::R>(Colour2Split.get());
  Colour2RedGreen->Str2Source = Link<&TKestoToRGB::G>(Colour2Split.get());
  Colour2RedGreen->Result = Link<&TKestoStrCatDelim::Concat>(Colour2Text.get());
  Colour2Text->Str1Source = Link<&TKestoStrCatDelim::Value>(Colour2RedGreen.get());
  Colour2Text->Str2Source = Link<&TKestoToRGB::B>(Colour2Split.get());
}

void TClassSimpleForm_4E37510::LinkHelp() {
  WallHelpButton->Click = Link<&TKestoMessage::Message>(WallHelpMessage.get());
  HouseHelpButton->Click = Link<&TKestoMessage::Message>(HouseHelpMessage.get());
  AboutButton->Click = Link<&TKestoMessage::Message>(AboutMessage.get());
  UpdateHelpButton->Click = Link<&TKestoMessage::Message>(UpdateHelpMessage.get());
}
