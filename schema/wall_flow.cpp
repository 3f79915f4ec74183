// The walls of the main schema: "Создать набор стен" makes the wall folder
// under result\ and runs every sources\*.wgw through the template pipeline
// (template text, cutter, model writer) that the houses share, then reports
// how many files were written.
#include "schema/main_schema.h"

#include "schema/controls.h"
#include "schema/model_writer.h"

using namespace schema;

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
  TemplateText->MaxSize = kLargestTemplate;
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
  // A template found but unreadable is a file not made, for walls and houses alike.
  TemplateText->LoadFailed = Link<&TKestoTally::Count>(SaveTally.get());
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
