// The houses of the main schema: the list filled at start-up, the preview
// of the selected template, and "Создать дом из списка", which runs the
// selected template through the walls' template pipeline into result\.
#include "schema/main_schema.h"

#include "schema/controls.h"

using namespace schema;

namespace {

// Corners of a point pair: x in the low, y in the high 16 bits.
constexpr int32_t Point(int16_t x, int16_t y) {
  return static_cast<int32_t>(static_cast<uint16_t>(x) | static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16);
}

std::unique_ptr<TKestoImg_Rectangle> NewMarker(int16_t left, int16_t top, uint32_t fill) {
  auto m = std::make_unique<TKestoImg_Rectangle>();
  m->TargetKind = 2;
  m->Point1 = Point(left, top);
  m->Point2 = Point(static_cast<int16_t>(left + 14), static_cast<int16_t>(top + 14));
  m->PenSize = 1;
  m->PenColor = 0;
  m->FillColor = fill;
  return m;
}

}  // namespace

void TClassSimpleForm_4E37510::CreateHouseList() {
  HouseList = NewControl<TKestoListBox>(*MainForm, 340, 25, 200, 150);
  HouseList->Background = kWindowBackground;
  HouseList->Initialise();
  StartHub = std::make_unique<TKestoHub>(3);
  HouseListHub = std::make_unique<TKestoHub>(2);
  HouseSourcesDir = std::make_unique<TKestoDir>();
  HouseSourcesPath = std::make_unique<TKestoStrCat>();
  HouseSourcesPath->Str2 = "sources\\";
  HouseTemplateSearch = std::make_unique<TKestoFileSearch>();
  HouseTemplateSearch->Mask = "*.wgh";
  HouseTemplateSearch->SubfolderMode = 0;
  HouseTemplateSearch->FullName = 1;
  HouseTemplateSearch->Kind = 0;
  HouseItemReader = std::make_unique<TKestoArrayRW>();
  PreviewName = std::make_unique<TKestoReplace>();
  PreviewName->SubStr = ".wgh";
  PreviewName->DestStr = ".bmp";
  PreviewLoader = std::make_unique<TKestoImageLoader>();
  HousePreview = NewControl<TKestoImage>(*MainForm, 545, 25, 150, 150);
  HousePreview->AutoSize = 0;
  HousePreview->Initialise();
}

void TClassSimpleForm_4E37510::CreateHouseButton() {
  HouseButton = NewControl<TKestoButton>(*MainForm, 340, 180, 175, 20);
  HouseButton->Caption = "Создать дом из списка";
  HouseButton->Data = IntegerData(1);
  HouseButton->Initialise();
  HouseSelectedCheck = std::make_unique<TKestoIf_else>();
  HouseSelectedCheck->Type = kNotEqual;
  HouseSelectedCheck->Op2 = StringData("");
  NoHouseMessage = std::make_unique<TKestoMessage>();
  NoHouseMessage->Text = "Сначала выделите дом в списке.";
  NoHouseMessage->Caption = "Ostrel";
  NoHouseMessage->Icon = 3;
  HouseHub = std::make_unique<TKestoHub>(4);
  HouseResultPath = std::make_unique<TKestoStrCat>();
  HouseResultPath->Str2 = "result\\";
  HouseResultFolder = std::make_unique<TKestoDir>();
  HouseTemplateLoad = std::make_unique<TKestoDoData>();
  HouseListLabel = NewLabel(*MainForm, 340, 5, 217, 17, "Доступные для генерации модели домов:", 1, 0);
}

void TClassSimpleForm_4E37510::CreateLegend() {
  Colour1LegendLabel = NewLabel(*MainForm, 570, 184, 44, 17, "- Цвет 1", 1, 0);
  Colour2LegendLabel = NewLabel(*MainForm, 640, 184, 44, 17, "- Цвет 2", 1, 0);
  MarkerHub = std::make_unique<TKestoHub>(2);
  Colour1Marker = NewMarker(553, 183, 0x00FF00FF);
  Colour2Marker = NewMarker(623, 183, 0x0000FF00);
}

void TClassSimpleForm_4E37510::LinkHouses() {
  MainForm->Created = Link<&TKestoHub::In>(StartHub.get());
  StartHub->Out[1] = Link<&TKestoHub::In>(HouseListHub.get());
  HouseListHub->Out[0] = Link<&TKestoDir::SetCurrent>(HouseSourcesDir.get());
  HouseListHub->Out[1] = Link<&TKestoFileSearch::Search>(HouseTemplateSearch.get());
  HouseSourcesDir->Done = Link<&TKestoStrCat::Concat>(HouseSourcesPath.get());
  HouseSourcesPath->Str1Source = Link<&TKestoDir::AppFolder>(HouseSourcesDir.get());
  HouseTemplateSearch->DirSource = Link<&TKestoStrCat::Value>(HouseSourcesPath.get());
  HouseTemplateSearch->Found = Link<&TKestoWinList::Add>(HouseList.get());

  HouseList->Click = Link<&TKestoArrayRW::Read>(HouseItemReader.get());
  HouseItemReader->ArraySource = Link<&TKestoWinList::Array>(HouseList.get());
  HouseItemReader->Result = Link<&TKestoReplace::Replace>(PreviewName.get());
  PreviewName->Result = Link<&TKestoImageLoader::Load>(PreviewLoader.get());
  PreviewLoader->Loaded = Link<&TKestoImageLoader::Render>(PreviewLoader.get());
  PreviewLoader->Bitmap = Link<&TKestoImage::Load>(HousePreview.get());
  // A missing or broken picture must not leave another house's on show.
  PreviewLoader->Failed = Link<&TKestoImage::Clear>(HousePreview.get());

  // Nothing selected: say so, rather than report success over nothing.
  HouseButton->Click = Link<&TKestoIf_else::Compare>(HouseSelectedCheck.get());
  HouseSelectedCheck->Op1Source = Link<&TKestoArrayRW::Item>(HouseItemReader.get());
  HouseSelectedCheck->True = Link<&TKestoHub::In>(HouseHub.get());
  HouseSelectedCheck->False = Link<&TKestoMessage::Message>(NoHouseMessage.get());
  HouseHub->Out[0] = Link<&TKestoGetIndexData::Index>(ResultFolderSelect.get());
  HouseHub->Out[1] = Link<&TKestoStrCat::Concat>(HouseResultPath.get());
  HouseHub->Out[2] = Link<&TKestoDoData::Do>(HouseTemplateLoad.get());
  HouseHub->Out[3] = Link<&TKestoStrCat::Concat>(DoneText.get());
  HouseResultPath->Str1Source = Link<&TKestoDir::AppFolder>(HouseSourcesDir.get());
  // On a fresh installation result\ does not exist yet.
  HouseResultPath->Result = Link<&TKestoDir::Create>(HouseResultFolder.get());
  ResultFolderSelect->ItemSources[1] = Link<&TKestoStrCat::Value>(HouseResultPath.get());
  HouseTemplateLoad->DataSource = Link<&TKestoArrayRW::Item>(HouseItemReader.get());
  HouseTemplateLoad->Result = Link<&TKestoStrList::Load>(TemplateText.get());

  MarkerHub->Out[0] = Link<&TKestoImg_Rectangle::Draw>(Colour1Marker.get());
  MarkerHub->Out[1] = Link<&TKestoImg_Rectangle::Draw>(Colour2Marker.get());
}
