// The window's wall and house flows without the window, for the batch tool:
// the same template search, template pipeline, folder maker and model
// writer, with stored values standing in for the edit boxes and the colour
// texts. One schema serves every job of a run; each run overwrites every
// input before the flow reads it. Members are declared in creation order.
#pragma once
#include <memory>
#include <string>

#include "components/files/dir.h"
#include "components/files/file_search.h"
#include "components/text/lists.h"
#include "components/text/storage.h"
#include "components/text/strings.h"
#include "runtime/nested.h"

// What one job puts in the window's boxes, as the window would hold them:
// cp1251, the floor count as the spinner shows it, colours as "R G B" or "".
struct BatchInputs {
  std::string floors, english, russian, colour1, colour2;
};

// The template search and cutter as the window sets them up, for the flows
// below and for the template check.
std::unique_ptr<TKestoFileSearch> MakeWallTemplateSearch();
std::unique_ptr<TKestoFileSearch> MakeHouseTemplateSearch();
std::unique_ptr<TKestoMultiStrPart> MakeTemplateParts();

// The saves the model writer reported since the last Take.
class BatchSaveCount {
 public:
  void Count(TData& data, uint16_t index);  // non-zero: written
  int32_t written = 0, failed = 0;
};

class BatchSchema {
 public:
  BatchSchema();

  void SetInputs(const BatchInputs& inputs);
  // Every wall template sources\*.wgw into result\<floors>_<name>\.
  void MakeWalls();
  // One house template (a cp1251 path) into result\.
  void MakeHouse(const std::string& templatePath);
  // Every house template sources\**\*.wgh into result\.
  void MakeHouses();
  // The program folder's sources\, as the searches look into it.
  std::string SourcesFolder();

  std::unique_ptr<TKestoEventFromData> FloorCount, EnglishName, RussianName, Colour1Text, Colour2Text;
  std::unique_ptr<TKestoEventFromData> HouseTemplate;
  std::unique_ptr<TKestoHub> WallHub;
  std::unique_ptr<TKestoGetIndexData> ResultFolderSelect;
  std::unique_ptr<TKestoMultiElementEx> WallFolderMaker;
  std::unique_ptr<TKestoDir> SourcesDir;
  std::unique_ptr<TKestoStrCat> SourcesPath;
  std::unique_ptr<TKestoFileSearch> WallTemplateSearch;
  std::unique_ptr<TKestoFileSearch> HouseTemplateSearch;
  std::unique_ptr<TKestoHub> FoundHouseHub;
  std::unique_ptr<TKestoDoData> HouseStart;
  std::unique_ptr<TKestoHub> HouseHub;
  std::unique_ptr<TKestoStrCat> HouseResultPath;
  std::unique_ptr<TKestoDir> HouseResultFolder;
  std::unique_ptr<TKestoDoData> HouseTemplateLoad;
  std::unique_ptr<TKestoStrList> TemplateText;
  std::unique_ptr<TKestoMultiStrPart> TemplateParts;
  std::unique_ptr<TKestoMultiElementEx> ModelWriter;
  BatchSaveCount Saves;

 private:
  void Wire();
};
