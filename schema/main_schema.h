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
#include "components/net/signature.h"
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

// Every instance of the main window, in creation order: the schema creates
// them in this order and frees them in the reverse one.
#define OSTREL_MAIN_INSTANCES(X) \
  X(TKestoSimpleForm, MainForm) \
  X(TKestoEdit, EnglishNameEdit) \
  /* Walls; the end-of-click report is shared with the houses. */ \
  X(TKestoButton, WallButton) \
  X(TKestoHub, WallHub) \
  X(TKestoGetIndexData, ResultFolderSelect) \
  X(TKestoMultiElementEx, WallFolderMaker) \
  X(TKestoDir, WallSourcesDir) \
  X(TKestoMemory, SourcesFolderName) \
  X(TKestoStrCat, WallSourcesPath) \
  X(TKestoFileSearch, WallTemplateSearch) \
  X(TKestoStrList, TemplateText) \
  X(TKestoMultiStrPart, TemplateParts) \
  X(TKestoMultiElementEx, ModelWriter) \
  X(TKestoStrCat, DoneText) \
  X(TKestoTally, SaveTally) \
  X(TKestoMessage, DoneMessage) \
  X(TKestoFormatStr, SaveFailedText) \
  X(TKestoMessage, SaveFailedMessage) \
  X(TKestoFormatStr, NothingSavedText) \
  X(TKestoMessage, NothingSavedMessage) \
  /* The inputs. */ \
  X(TKestoLabel, ColourLabel) \
  X(TKestoLabel, EnglishNameLabel) \
  X(TKestoLabel, RussianNameLabel) \
  X(TKestoLabel, FloorCountLabel) \
  X(TKestoEdit, RussianNameEdit) \
  X(TKestoEdit, FloorCountEdit) \
  X(TKestoUpDown, FloorCountSpinner) \
  X(TKestoButton, Colour1Button) \
  X(TKestoColorDialog, Colour1Dialog) \
  X(TKestoHub, Colour1Hub) \
  X(TKestoToRGB, Colour1Split) \
  X(TKestoStrCatDelim, Colour1RedGreen) \
  X(TKestoStrCatDelim, Colour1Text) \
  X(TKestoButton, Colour2Button) \
  X(TKestoColorDialog, Colour2Dialog) \
  X(TKestoHub, Colour2Hub) \
  X(TKestoToRGB, Colour2Split) \
  X(TKestoStrCatDelim, Colour2RedGreen) \
  X(TKestoStrCatDelim, Colour2Text) \
  /* Houses: the list filled at start-up, the preview, generation. */ \
  X(TKestoListBox, HouseList) \
  X(TKestoHub, StartHub) \
  X(TKestoHub, HouseListHub) \
  X(TKestoDir, HouseSourcesDir) \
  X(TKestoStrCat, HouseSourcesPath) \
  X(TKestoFileSearch, HouseTemplateSearch) \
  X(TKestoArrayRW, HouseItemReader) \
  X(TKestoReplace, PreviewName) \
  X(TKestoImageLoader, PreviewLoader) \
  X(TKestoImage, HousePreview) \
  X(TKestoButton, HouseButton) \
  X(TKestoIf_else, HouseSelectedCheck) \
  X(TKestoMessage, NoHouseMessage) \
  X(TKestoHub, HouseHub) \
  X(TKestoStrCat, HouseResultPath) \
  X(TKestoDir, HouseResultFolder) \
  X(TKestoDoData, HouseTemplateLoad) \
  X(TKestoLabel, HouseListLabel) \
  /* Help. */ \
  X(TKestoButton, WallHelpButton) \
  X(TKestoMessage, WallHelpMessage) \
  X(TKestoButton, HouseHelpButton) \
  X(TKestoMessage, HouseHelpMessage) \
  /* The legend under the picture. */ \
  X(TKestoLabel, Colour1LegendLabel) \
  X(TKestoLabel, Colour2LegendLabel) \
  X(TKestoHub, MarkerHub) \
  X(TKestoImg_Rectangle, Colour1Marker) \
  X(TKestoImg_Rectangle, Colour2Marker) \
  /* The colour boxes. */ \
  X(TKestoLabel, Colour1Caption) \
  X(TKestoLabel, Colour2Caption) \
  X(TKestoEdit, Colour1Swatch) \
  X(TKestoEdit, Colour2Swatch) \
  X(TKestoButton, AboutButton) \
  X(TKestoMessage, AboutMessage) \
  X(TKestoButton, UpdateHelpButton) \
  X(TKestoMessage, UpdateHelpMessage) \
  /* The data update. */ \
  X(TKestoLabel, DataVersionLabel) \
  X(TKestoLabel, UpdateStatusLabel) \
  X(TKestoProgressBar, UpdateProgress) \
  X(TKestoButton, UpdateButton) \
  X(TKestoMessage, UpdateConfirm) \
  X(TKestoHub, UpdateStartHub) \
  X(TKestoCounter, ProgressCounter) \
  X(TKestoMemory, SearchingText) \
  X(TKestoMemory, LoadingText) \
  X(TKestoMemory, BlankText) \
  X(TKestoMemory, NoUpdateText) \
  X(TKestoMemory, DoneStatusText) \
  X(TKestoHTTP_Get, VersionDownload) \
  X(TKestoHub, VersionReceivedHub) \
  X(TKestoStream2Hex, VersionText) \
  X(TKestoConvertor, VersionNumber) \
  X(TKestoHub, VersionParsedHub) \
  X(TKestoEventFromData, RemoteVersion) \
  X(TKestoEventFromData, LocalVersion) \
  X(TKestoIf_else, VersionCompare) \
  X(TKestoFormatStr, ArchiveUrl) \
  X(TKestoHub, ArchiveStartHub) \
  X(TKestoHTTP_Get, ArchiveDownload) \
  X(TKestoStrCat, ArchivePath) \
  X(TKestoDir, UpdateFolder) \
  /* The publisher's signature, checked before unpacking in a build with a key. */ \
  X(TKestoFormatStr, ArchiveName) \
  X(TKestoHub, SignatureStartHub) \
  X(TKestoEventFromData, PublishedName) \
  X(TKestoFormatStr, SignatureUrl) \
  X(TKestoHTTP_Get, SignatureDownload) \
  X(TKestoSignature, ArchiveVerify) \
  X(TKestoHub, UnverifiedHub) \
  X(TKestoMessage, UnverifiedMessage) \
  X(TKestoHub, InstallHub) \
  X(TKestoZipper, ArchiveUnzip) \
  X(TKestoIf_else, UnzipCheck) \
  X(TKestoDoData, UnzipSucceeded) \
  X(TKestoDoData, UnzipFailed) \
  X(TKestoTally, UnzipTally) \
  X(TKestoMessage, UnzipErrorMessage) \
  X(TKestoFileTools, ArchiveDelete) \
  X(TKestoHub, InstalledHub) \
  X(TKestoMessage, UpdateDoneMessage) \
  X(TKestoHub, UpdateDoneHub) \
  X(TKestoDoData, VersionSave) \
  X(TKestoini, DataVersionSetting) \
  X(TKestoCase, NewsCase) \
  X(TKestoHTTP_Get, NewsDownload) \
  X(TKestoConvertor, NewsText) \
  X(TKestoMessage, NewsMessage) \
  X(TKestoHub, NoUpdateHub) \
  X(TKestoMessage, NoUpdateMessage) \
  X(TKestoMessage, ServerErrorMessage) \
  X(TKestoFormatStr, WriteErrorText) \
  X(TKestoMessage, WriteErrorMessage) \
  X(TKestoSwitch, UpdateEndSwitch) \
  X(TKestoHub, UpdateEndHub) \
  X(TKestoDoData, UpdateButtonOn) \
  X(TKestoHub, VersionShowHub) \
  X(TKestoHub, VersionReadHub) \
  X(TKestoStrCat, DataVersionText)

class TClassSimpleForm_4E37510 {
 public:
  explicit TClassSimpleForm_4E37510(void* owner);
  virtual ~TClassSimpleForm_4E37510() = default;

  TKestoSimpleForm& Form() { return *MainForm; }

#define OSTREL_INSTANCE_MEMBER(Class, Name) std::unique_ptr<Class> Name;
  OSTREL_MAIN_INSTANCES(OSTREL_INSTANCE_MEMBER)
#undef OSTREL_INSTANCE_MEMBER

  // Calls visit(name, instance) for each instance in creation order.
  template <class Visit>
  void ForEachInstance(Visit&& visit) {
#define OSTREL_VISIT_INSTANCE(Class, Name) visit(#Name, Name.get());
    OSTREL_MAIN_INSTANCES(OSTREL_VISIT_INSTANCE)
#undef OSTREL_VISIT_INSTANCE
  }

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
