// The main window's schema: creates every component in order, sets its
// properties, initialises it, then links them. Members are declared in
// creation order, so they are freed in the reverse order, MainForm last.
#pragma once
#include <memory>

#include "components/files/dir.h"
#include "components/files/file_search.h"
#include "components/files/file_tools.h"
#include "components/files/ini.h"
#include "components/image/colour.h"
#include "components/image/draw.h"
#include "components/image/image.h"
#include "components/net/http_get.h"
#include "components/net/zipper.h"
#include "components/text/convert.h"
#include "components/text/flow.h"
#include "components/text/lists.h"
#include "components/text/storage.h"
#include "components/text/strings.h"
#include "components/win/button.h"
#include "components/win/edit.h"
#include "components/win/label.h"
#include "components/win/list_box.h"
#include "components/win/message.h"
#include "components/win/progress_bar.h"
#include "components/win/simple_form.h"
#include "components/win/up_down.h"
#include "runtime/nested.h"

class TClassSimpleForm_4E37510 {
 public:
  explicit TClassSimpleForm_4E37510(void* owner);
  virtual ~TClassSimpleForm_4E37510() = default;

  TKestoSimpleForm& Form() { return *MainForm; }

  std::unique_ptr<TKestoSimpleForm> MainForm;
  std::unique_ptr<TKestoEdit> EnglishNameEdit;
  // Walls; the end-of-click report is shared with the houses.
  std::unique_ptr<TKestoButton> WallButton;
  std::unique_ptr<TKestoHub> WallHub;
  std::unique_ptr<TKestoGetIndexData> ResultFolderSelect;
  std::unique_ptr<TKestoMultiElementEx> WallFolderMaker;
  std::unique_ptr<TKestoDir> WallSourcesDir;
  std::unique_ptr<TKestoMemory> SourcesFolderName;
  std::unique_ptr<TKestoStrCat> WallSourcesPath;
  std::unique_ptr<TKestoFileSearch> WallTemplateSearch;
  std::unique_ptr<TKestoStrList> TemplateText;
  std::unique_ptr<TKestoMultiStrPart> TemplateParts;
  std::unique_ptr<TKestoMultiElementEx> ModelWriter;
  std::unique_ptr<TKestoStrCat> DoneText;
  std::unique_ptr<TKestoTally> SaveTally;
  std::unique_ptr<TKestoMessage> DoneMessage;
  std::unique_ptr<TKestoFormatStr> SaveFailedText;
  std::unique_ptr<TKestoMessage> SaveFailedMessage;
  std::unique_ptr<TKestoFormatStr> NothingSavedText;
  std::unique_ptr<TKestoMessage> NothingSavedMessage;
  // The inputs.
  std::unique_ptr<TKestoLabel> ColourLabel;
  std::unique_ptr<TKestoLabel> EnglishNameLabel;
  std::unique_ptr<TKestoLabel> RussianNameLabel;
  std::unique_ptr<TKestoLabel> FloorCountLabel;
  std::unique_ptr<TKestoEdit> RussianNameEdit;
  std::unique_ptr<TKestoEdit> FloorCountEdit;
  std::unique_ptr<TKestoUpDown> FloorCountSpinner;
  std::unique_ptr<TKestoButton> Colour1Button;
  std::unique_ptr<TKestoColorDialog> Colour1Dialog;
  std::unique_ptr<TKestoHub> Colour1Hub;
  std::unique_ptr<TKestoToRGB> Colour1Split;
  std::unique_ptr<TKestoStrCatDelim> Colour1RedGreen;
  std::unique_ptr<TKestoStrCatDelim> Colour1Text;
  std::unique_ptr<TKestoButton> Colour2Button;
  std::unique_ptr<TKestoColorDialog> Colour2Dialog;
  std::unique_ptr<TKestoHub> Colour2Hub;
  std::unique_ptr<TKestoToRGB> Colour2Split;
  std::unique_ptr<TKestoStrCatDelim> Colour2RedGreen;
  std::unique_ptr<TKestoStrCatDelim> Colour2Text;
  // Houses: the list filled at start-up, the preview, generation.
  std::unique_ptr<TKestoListBox> HouseList;
  std::unique_ptr<TKestoHub> StartHub;
  std::unique_ptr<TKestoHub> HouseListHub;
  std::unique_ptr<TKestoDir> HouseSourcesDir;
  std::unique_ptr<TKestoStrCat> HouseSourcesPath;
  std::unique_ptr<TKestoFileSearch> HouseTemplateSearch;
  std::unique_ptr<TKestoArrayRW> HouseItemReader;
  std::unique_ptr<TKestoReplace> PreviewName;
  std::unique_ptr<TKestoImageLoader> PreviewLoader;
  std::unique_ptr<TKestoImage> HousePreview;
  std::unique_ptr<TKestoButton> HouseButton;
  std::unique_ptr<TKestoIf_else> HouseSelectedCheck;
  std::unique_ptr<TKestoMessage> NoHouseMessage;
  std::unique_ptr<TKestoHub> HouseHub;
  std::unique_ptr<TKestoStrCat> HouseResultPath;
  std::unique_ptr<TKestoDir> HouseResultFolder;
  std::unique_ptr<TKestoDoData> HouseTemplateLoad;
  std::unique_ptr<TKestoLabel> HouseListLabel;
  // Help.
  std::unique_ptr<TKestoButton> WallHelpButton;
  std::unique_ptr<TKestoMessage> WallHelpMessage;
  std::unique_ptr<TKestoButton> HouseHelpButton;
  std::unique_ptr<TKestoMessage> HouseHelpMessage;
  // The legend under the picture.
  std::unique_ptr<TKestoLabel> Colour1LegendLabel;
  std::unique_ptr<TKestoLabel> Colour2LegendLabel;
  std::unique_ptr<TKestoHub> MarkerHub;
  std::unique_ptr<TKestoImg_Rectangle> Colour1Marker;
  std::unique_ptr<TKestoImg_Rectangle> Colour2Marker;
  // The colour boxes.
  std::unique_ptr<TKestoLabel> Colour1Caption;
  std::unique_ptr<TKestoLabel> Colour2Caption;
  std::unique_ptr<TKestoEdit> Colour1Swatch;
  std::unique_ptr<TKestoEdit> Colour2Swatch;
  std::unique_ptr<TKestoButton> AboutButton;
  std::unique_ptr<TKestoMessage> AboutMessage;
  std::unique_ptr<TKestoButton> UpdateHelpButton;
  std::unique_ptr<TKestoMessage> UpdateHelpMessage;
  // The data update.
  std::unique_ptr<TKestoLabel> DataVersionLabel;
  std::unique_ptr<TKestoLabel> UpdateStatusLabel;
  std::unique_ptr<TKestoProgressBar> UpdateProgress;
  std::unique_ptr<TKestoButton> UpdateButton;
  std::unique_ptr<TKestoMessage> UpdateConfirm;
  std::unique_ptr<TKestoHub> UpdateStartHub;
  std::unique_ptr<TKestoCounter> ProgressCounter;
  std::unique_ptr<TKestoMemory> SearchingText;
  std::unique_ptr<TKestoMemory> LoadingText;
  std::unique_ptr<TKestoMemory> BlankText;
  std::unique_ptr<TKestoMemory> NoUpdateText;
  std::unique_ptr<TKestoMemory> DoneStatusText;
  std::unique_ptr<TKestoHTTP_Get> VersionDownload;
  std::unique_ptr<TKestoHub> VersionReceivedHub;
  std::unique_ptr<TKestoStream2Hex> VersionText;
  std::unique_ptr<TKestoConvertor> VersionNumber;
  std::unique_ptr<TKestoHub> VersionParsedHub;
  std::unique_ptr<TKestoEventFromData> RemoteVersion;
  std::unique_ptr<TKestoEventFromData> LocalVersion;
  std::unique_ptr<TKestoIf_else> VersionCompare;
  std::unique_ptr<TKestoFormatStr> ArchiveUrl;
  std::unique_ptr<TKestoHub> ArchiveStartHub;
  std::unique_ptr<TKestoHTTP_Get> ArchiveDownload;
  std::unique_ptr<TKestoStrCat> ArchivePath;
  std::unique_ptr<TKestoDir> UpdateFolder;
  std::unique_ptr<TKestoHub> InstallHub;
  std::unique_ptr<TKestoZipper> ArchiveUnzip;
  std::unique_ptr<TKestoIf_else> UnzipCheck;
  std::unique_ptr<TKestoDoData> UnzipSucceeded;
  std::unique_ptr<TKestoDoData> UnzipFailed;
  std::unique_ptr<TKestoTally> UnzipTally;
  std::unique_ptr<TKestoMessage> UnzipErrorMessage;
  std::unique_ptr<TKestoFileTools> ArchiveDelete;
  std::unique_ptr<TKestoHub> InstalledHub;
  std::unique_ptr<TKestoMessage> UpdateDoneMessage;
  std::unique_ptr<TKestoHub> UpdateDoneHub;
  std::unique_ptr<TKestoDoData> VersionSave;
  std::unique_ptr<TKestoini> DataVersionSetting;
  std::unique_ptr<TKestoCase> NewsCase;
  std::unique_ptr<TKestoHTTP_Get> NewsDownload;
  std::unique_ptr<TKestoConvertor> NewsText;
  std::unique_ptr<TKestoMessage> NewsMessage;
  std::unique_ptr<TKestoHub> NoUpdateHub;
  std::unique_ptr<TKestoMessage> NoUpdateMessage;
  std::unique_ptr<TKestoMessage> ServerErrorMessage;
  std::unique_ptr<TKestoSwitch> UpdateEndSwitch;
  std::unique_ptr<TKestoHub> UpdateEndHub;
  std::unique_ptr<TKestoDoData> UpdateButtonOn;
  std::unique_ptr<TKestoHub> VersionShowHub;
  std::unique_ptr<TKestoHub> VersionReadHub;
  std::unique_ptr<TKestoStrCat> DataVersionText;

 private:
  void CreateWalls();
  void CreateInputs();
  void CreateColour(int n);
  void CreateHouseList();
  void CreateHouseButton();
  void CreateWallHelp();
  void CreateHouseHelp();
  void CreateLegend();
  void CreateUpdate();
  void CreateColourBoxes();
  void LinkWalls();
  void LinkInputs();
  void LinkColours();
  void LinkHouses();
  void LinkHelp();
  void LinkUpdate();
  void HookHints();
};
