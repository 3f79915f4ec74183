#include "schema/batch_schema.h"

#include "runtime/dispatch.h"
#include "schema/folder_maker.h"
#include "schema/model_writer.h"

std::unique_ptr<TKestoFileSearch> MakeWallTemplateSearch() {
  auto search = std::make_unique<TKestoFileSearch>();
  search->Mask = "*.wgw";
  search->SubfolderMode = 1;  // sources\ only
  search->FullName = 1;
  search->Kind = 0;
  return search;
}

std::unique_ptr<TKestoFileSearch> MakeHouseTemplateSearch() {
  std::unique_ptr<TKestoFileSearch> search = MakeWallTemplateSearch();
  search->Mask = "*.wgh";
  search->SubfolderMode = 0;  // with every subfolder
  return search;
}

std::unique_ptr<TKestoMultiStrPart> MakeTemplateParts() {
  auto parts = std::make_unique<TKestoMultiStrPart>(4);
  parts->Delimiter = "||";
  parts->Skip = 0;
  return parts;
}

void BatchSaveCount::Count(TData& data, uint16_t) { ++(ValueToInteger(data) != 0 ? written : failed); }

BatchSchema::BatchSchema() {
  for (auto* input : {&FloorCount, &EnglishName, &RussianName, &Colour1Text, &Colour2Text, &HouseTemplate})
    *input = std::make_unique<TKestoEventFromData>();
  WallHub = std::make_unique<TKestoHub>(4);
  ResultFolderSelect = std::make_unique<TKestoGetIndexData>(2);
  WallFolderMaker = std::make_unique<TKestoMultiElementEx>(nullptr, this);
  WallFolderMaker->Mode = 0;
  SourcesDir = std::make_unique<TKestoDir>();
  SourcesPath = std::make_unique<TKestoStrCat>();
  SourcesPath->Str2 = "sources\\";
  WallTemplateSearch = MakeWallTemplateSearch();
  HouseTemplateSearch = MakeHouseTemplateSearch();
  FoundHouseHub = std::make_unique<TKestoHub>(2);
  HouseStart = std::make_unique<TKestoDoData>();
  HouseStart->Data = IntegerData(1);  // what the house button carries
  HouseHub = std::make_unique<TKestoHub>(3);
  HouseResultPath = std::make_unique<TKestoStrCat>();
  HouseResultPath->Str2 = "result\\";
  HouseResultFolder = std::make_unique<TKestoDir>();
  HouseTemplateLoad = std::make_unique<TKestoDoData>();
  TemplateText = std::make_unique<TKestoStrList>("");
  TemplateText->MaxSize = kLargestTemplate;
  TemplateParts = MakeTemplateParts();
  ModelWriter = std::make_unique<TKestoMultiElementEx>(nullptr, this);
  ModelWriter->Mode = 0;
  Wire();
  ModelWriter->SetFactory(&TClassMultiElementEx_4EA8790::Factory);
  WallFolderMaker->SetFactory(&TClassMultiElementEx_4EA8FD0::Factory);
}

void BatchSchema::Wire() {
  auto value = [](const std::unique_ptr<TKestoEventFromData>& input) {
    return Link<&TKestoEventFromData::Value>(input.get());
  };
  // Walls: select the wall folder, make it, then run every template.
  WallHub->Out[0] = Link<&TKestoGetIndexData::Index>(ResultFolderSelect.get());
  WallHub->Out[1] = Link<&TKestoMultiElementEx::Work>(WallFolderMaker.get(), 0);
  WallHub->Out[2] = Link<&TKestoStrCat::Concat>(SourcesPath.get());
  WallHub->Out[3] = Link<&TKestoFileSearch::Search>(WallTemplateSearch.get());
  ResultFolderSelect->ItemSources[0] = Link<&TKestoMultiElementEx::Data>(WallFolderMaker.get(), 0);
  ResultFolderSelect->ItemSources[1] = Link<&TKestoStrCat::Value>(HouseResultPath.get());
  WallFolderMaker->OuterData.resize(2);
  WallFolderMaker->OuterData[0] = value(FloorCount);
  WallFolderMaker->OuterData[1] = value(EnglishName);
  SourcesPath->Str1Source = Link<&TKestoDir::AppFolder>(SourcesDir.get());
  WallTemplateSearch->DirSource = Link<&TKestoStrCat::Value>(SourcesPath.get());
  WallTemplateSearch->Found = Link<&TKestoStrList::Load>(TemplateText.get());
  // Houses: each one found is kept as the chosen template, then made as the
  // house button makes the selected one.
  HouseTemplateSearch->DirSource = Link<&TKestoStrCat::Value>(SourcesPath.get());
  HouseTemplateSearch->Found = Link<&TKestoHub::In>(FoundHouseHub.get());
  FoundHouseHub->Out[0] = Link<&TKestoEventFromData::Capture>(HouseTemplate.get());
  FoundHouseHub->Out[1] = Link<&TKestoDoData::Do>(HouseStart.get());
  HouseStart->Result = Link<&TKestoHub::In>(HouseHub.get());
  HouseHub->Out[0] = Link<&TKestoGetIndexData::Index>(ResultFolderSelect.get());
  HouseHub->Out[1] = Link<&TKestoStrCat::Concat>(HouseResultPath.get());
  HouseHub->Out[2] = Link<&TKestoDoData::Do>(HouseTemplateLoad.get());
  HouseResultPath->Str1Source = Link<&TKestoDir::AppFolder>(SourcesDir.get());
  HouseResultPath->Result = Link<&TKestoDir::Create>(HouseResultFolder.get());
  HouseTemplateLoad->DataSource = value(HouseTemplate);
  HouseTemplateLoad->Result = Link<&TKestoStrList::Load>(TemplateText.get());
  // The template pipeline both share.
  TemplateText->Changed = Link<&TKestoMultiStrPart::Split>(TemplateParts.get());
  TemplateParts->TextSource = Link<&TKestoStrList::Text>(TemplateText.get());
  TemplateParts->Rest = Link<&TKestoMultiElementEx::Work>(ModelWriter.get(), 0);
  TemplateText->LoadFailed = Link<&BatchSaveCount::Count>(&Saves);
  ModelWriter->OuterData.resize(10);  // 10, the folder files must stay in: result\ by default
  ModelWriter->OuterData[0] = value(FloorCount);
  ModelWriter->OuterData[1] = value(Colour1Text);
  ModelWriter->OuterData[2] = value(Colour2Text);
  ModelWriter->OuterData[3] = value(EnglishName);
  ModelWriter->OuterData[4] = value(RussianName);
  for (uint16_t field = 0; field < 4; ++field)
    ModelWriter->OuterData[5 + field] = Link<&TKestoMultiStrPart::Part>(TemplateParts.get(), field);
  ModelWriter->OuterData[9] = Link<&TKestoGetIndexData::Value>(ResultFolderSelect.get());
  ModelWriter->OuterEvents.resize(2);
  ModelWriter->OuterEvents[1] = Link<&BatchSaveCount::Count>(&Saves);
}

void BatchSchema::SetInputs(const BatchInputs& inputs) {
  const std::pair<TKestoEventFromData*, const std::string*> pairs[] = {
      {FloorCount.get(), &inputs.floors},   {EnglishName.get(), &inputs.english},
      {RussianName.get(), &inputs.russian}, {Colour1Text.get(), &inputs.colour1},
      {Colour2Text.get(), &inputs.colour2}};
  for (const auto& [input, text] : pairs) FireString(Link<&TKestoEventFromData::Capture>(input), *text);
}

void BatchSchema::MakeWalls() { FireInteger(Link<&TKestoHub::In>(WallHub.get()), 0); }

void BatchSchema::MakeHouse(const std::string& templatePath) {
  FireString(Link<&TKestoEventFromData::Capture>(HouseTemplate.get()), templatePath);
  FireInteger(Link<&TKestoDoData::Do>(HouseStart.get()), 1);
}

void BatchSchema::MakeHouses() {
  FireNull(Link<&TKestoStrCat::Concat>(SourcesPath.get()));
  FireNull(Link<&TKestoFileSearch::Search>(HouseTemplateSearch.get()));
}

std::string BatchSchema::SourcesFolder() {
  FireNull(Link<&TKestoStrCat::Concat>(SourcesPath.get()));
  TData path;
  SourcesPath->Value(path, 0);
  return ValueToString(path);
}
