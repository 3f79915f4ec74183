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

void TClassSimpleForm_4E37510::CreateWalls() {
  WallButton = NewControl<TKestoButton>(*MainForm, 170, 180, 125, 20);
  WallButton->Caption = "Создать набор стен";
  WallButton->Data = IntegerData(0);
  WallButton->Initialise();
  WallHub = std::make_unique<TKestoHub>(4);
  ResultFolderSelect = std::make_unique<TKestoGetIndexData>(2);
  WallFolderMaker = std::make_unique<TKestoMultiElementEx>(MainForm->Control(), this);
  WallFolderMaker->Mode = 0;
  WallSourcesDir = std::make_unique<TKestoDir>();
  SourcesFolderName = std::make_unique<TKestoMemory>(StringData("sources\\"));
  WallSourcesPath = std::make_unique<TKestoStrCat>();
  WallTemplateSearch = std::make_unique<TKestoFileSearch>();
  WallTemplateSearch->Mask = "*.wgw";
  WallTemplateSearch->Dir = "";
  WallTemplateSearch->SubfolderMode = 1;
  WallTemplateSearch->FullName = 1;
  WallTemplateSearch->Kind = 0;
  TemplateText = std::make_unique<TKestoStrList>("");
  TemplateParts = std::make_unique<TKestoMultiStrPart>(4);
  TemplateParts->Delimiter = "||";
  TemplateParts->Skip = 0;
  ModelWriter = std::make_unique<TKestoMultiElementEx>(MainForm->Control(), this);
  ModelWriter->Mode = 0;
  DoneText = std::make_unique<TKestoStrCat>();
  DoneText->Str1 = "Готово! Результат сохранен в ";
  SaveTally = std::make_unique<TKestoTally>();
  DoneMessage = std::make_unique<TKestoMessage>();
  SaveFailedText = std::make_unique<TKestoFormatStr>(2);
  SaveFailedText->Mask = "Не удалось сохранить файлов: %1\r\nПапка: %2";
  SaveFailedMessage = std::make_unique<TKestoMessage>();
  SaveFailedMessage->Caption = "Ошибка";
  SaveFailedMessage->Icon = 1;
  NothingSavedText = std::make_unique<TKestoFormatStr>(1);
  NothingSavedText->Mask = "Ни одного файла не создано.\r\nПроверьте шаблоны в папке %1sources\\";
  NothingSavedMessage = std::make_unique<TKestoMessage>();
  NothingSavedMessage->Caption = "Ostrel";
  NothingSavedMessage->Icon = 3;
}

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

void TClassSimpleForm_4E37510::LinkWalls() {
  WallButton->Click = Link<&TKestoHub::In>(WallHub.get());
  WallHub->Out[0] = Link<&TKestoGetIndexData::Index>(ResultFolderSelect.get());
  WallHub->Out[1] = Link<&TKestoMultiElementEx::Work>(WallFolderMaker.get(), 0);
  WallHub->Out[2] = Link<&TKestoDir::SetCurrent>(WallSourcesDir.get());
  WallHub->Out[3] = Link<&TKestoFileSearch::Search>(WallTemplateSearch.get());
  ResultFolderSelect->ItemSources[0] = Link<&TKestoMultiElementEx::Data>(WallFolderMaker.get(), 0);
  WallFolderMaker->OuterData.resize(2);
  WallFolderMaker->OuterData[0] = Link<&TKestoEdit::TextValue>(FloorCountEdit.get());
  WallFolderMaker->OuterData[1] = Link<&TKestoEdit::TextValue>(EnglishNameEdit.get());
  WallSourcesDir->Done = Link<&TKestoStrCat::Concat>(WallSourcesPath.get());
  WallSourcesPath->Str1Source = Link<&TKestoDir::AppFolder>(WallSourcesDir.get());
  WallSourcesPath->Str2Source = Link<&TKestoMemory::Value>(SourcesFolderName.get());
  WallTemplateSearch->DirSource = Link<&TKestoStrCat::Value>(WallSourcesPath.get());
  WallTemplateSearch->Found = Link<&TKestoStrList::Load>(TemplateText.get());
  WallTemplateSearch->Finished = Link<&TKestoStrCat::Concat>(DoneText.get());
  TemplateText->Changed = Link<&TKestoMultiStrPart::Split>(TemplateParts.get());
  TemplateParts->TextSource = Link<&TKestoStrList::Text>(TemplateText.get());
  TemplateParts->Rest = Link<&TKestoMultiElementEx::Work>(ModelWriter.get(), 0);
  ModelWriter->OuterData.resize(10);  // 10, the folder files must stay in: result\ by default
  ModelWriter->OuterData[0] = Link<&TKestoEdit::TextValue>(FloorCountEdit.get());
  ModelWriter->OuterData[1] = Link<&TKestoStrCatDelim::Value>(Colour1Text.get());
  ModelWriter->OuterData[2] = Link<&TKestoStrCatDelim::Value>(Colour2Text.get());
  ModelWriter->OuterData[3] = Link<&TKestoEdit::TextValue>(EnglishNameEdit.get());
  ModelWriter->OuterData[4] = Link<&TKestoEdit::TextValue>(RussianNameEdit.get());
  for (uint16_t field = 0; field < 4; ++field)
    ModelWriter->OuterData[5 + field] = Link<&TKestoMultiStrPart::Part>(TemplateParts.get(), field);
  ModelWriter->OuterData[9] = Link<&TKestoGetIndexData::Value>(ResultFolderSelect.get());
  ModelWriter->OuterEvents.resize(2);
  ModelWriter->OuterEvents[1] = Link<&TKestoTally::Count>(SaveTally.get());
  DoneText->Str2Source = Link<&TKestoGetIndexData::Value>(ResultFolderSelect.get());
  DoneText->Result = Link<&TKestoTally::Report>(SaveTally.get());
  DoneMessage->TextSource = Link<&TKestoStrCat::Value>(DoneText.get());
  // The success message only when every file was written; otherwise say
  // how many failed, or that nothing was made at all.
  SaveTally->Done = Link<&TKestoMessage::Message>(DoneMessage.get());
  SaveTally->Failed = Link<&TKestoFormatStr::Format>(SaveFailedText.get());
  SaveTally->Nothing = Link<&TKestoFormatStr::Format>(NothingSavedText.get());
  SaveFailedText->StrSources[1] = Link<&TKestoGetIndexData::Value>(ResultFolderSelect.get());
  SaveFailedText->Result = Link<&TKestoMessage::Message>(SaveFailedMessage.get());
  NothingSavedText->StrSources[0] = Link<&TKestoDir::AppFolder>(WallSourcesDir.get());
  NothingSavedText->Result = Link<&TKestoMessage::Message>(NothingSavedMessage.get());
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

// In creation order; controls without a hint get no tooltip.
void TClassSimpleForm_4E37510::HookHints() {
  ForEachInstance([](const char*, auto* instance) {
    if constexpr (std::is_base_of_v<TKestoWindowEvents, std::remove_pointer_t<decltype(instance)>>)
      instance->HookHint();
  });
}
