// The folder maker: builds AppFolder + "result\" + floor count + "_" + the
// English name with blanks turned into "_" + "\", creates that folder with
// its parents and answers its path on inner data 0. The typed name may hold
// "..", "\" or a drive: a folder that would not lie below result\ is not
// made at all; the files meant for it are refused in the model writer.
// Outer data 0: floor count, 1: English name. Members are declared in
// creation order.
#pragma once
#include <memory>

#include "components/files/dir.h"
#include "components/files/path_check.h"
#include "components/text/storage.h"
#include "components/text/strings.h"
#include "runtime/nested.h"

class TClassMultiElementEx_4EA8FD0 : public TClassMultiBase {
 public:
  TClassMultiElementEx_4EA8FD0(TKestoMultiElementEx* host, void* parent, void* owner);
  ~TClassMultiElementEx_4EA8FD0() override = default;

  static TKestoEditMultiEx* Factory(TKestoMultiElementEx* host, void* parent, void* owner);

  std::unique_ptr<TKestoEditMultiEx> FolderMakerPort;
  std::unique_ptr<TKestoReplace> SpaceReplace;
  std::unique_ptr<TKestoStrCatDelim> FolderNameJoin;
  std::unique_ptr<TKestoStrCat> FolderNameSlash;
  std::unique_ptr<TKestoHub> FolderMakerHub;
  std::unique_ptr<TKestoStrCat> ResultPath;
  std::unique_ptr<TKestoStrCat> WallFolderPath;
  std::unique_ptr<TKestoPathCheck> WallFolderCheck;
  std::unique_ptr<TKestoDir> FolderMakerDir;
};
