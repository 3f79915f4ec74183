#include "schema/folder_maker.h"

TKestoEditMultiEx* TClassMultiElementEx_4EA8FD0::Factory(TKestoMultiElementEx* host, void* parent,
                                                         void* owner) {
  return (new TClassMultiElementEx_4EA8FD0(host, parent, owner))->FolderMakerPort.get();
}

TClassMultiElementEx_4EA8FD0::TClassMultiElementEx_4EA8FD0(TKestoMultiElementEx* host, void* parent,
                                                           void* owner)
    : TClassMultiBase(host, parent, owner) {
  FolderMakerPort = std::make_unique<TKestoEditMultiEx>(host, this, 1, 1);
  SpaceReplace = std::make_unique<TKestoReplace>();
  SpaceReplace->SubStr = " ";
  SpaceReplace->DestStr = "_";
  FolderNameJoin = std::make_unique<TKestoStrCatDelim>();
  FolderNameJoin->Delimiter = "_";
  FolderNameJoin->Str1 = "";
  FolderNameJoin->Str2 = "";
  FolderNameSlash = std::make_unique<TKestoStrCat>();
  FolderNameSlash->Str1 = "";
  FolderNameSlash->Str2 = "\\";
  FolderMakerHub = std::make_unique<TKestoHub>(2);
  ResultPath = std::make_unique<TKestoStrCat>();
  ResultPath->Str1 = "";
  ResultPath->Str2 = "result\\";
  WallFolderPath = std::make_unique<TKestoStrCat>();
  WallFolderPath->Str1 = "";
  WallFolderPath->Str2 = "";
  WallFolderCheck = std::make_unique<TKestoPathCheck>();
  FolderMakerDir = std::make_unique<TKestoDir>();

  FolderMakerPort->InnerWork[0] = Link<&TKestoReplace::Replace>(SpaceReplace.get());
  SpaceReplace->TextSource = Link<&TKestoEditMultiEx::Data>(FolderMakerPort.get(), 1);
  SpaceReplace->Result = Link<&TKestoStrCatDelim::Concat>(FolderNameJoin.get());
  FolderNameJoin->Str1Source = Link<&TKestoEditMultiEx::Data>(FolderMakerPort.get(), 0);
  FolderNameJoin->Result = Link<&TKestoStrCat::Concat>(FolderNameSlash.get());
  FolderNameSlash->Result = Link<&TKestoHub::In>(FolderMakerHub.get());
  FolderMakerHub->Out[0] = Link<&TKestoStrCat::Concat>(ResultPath.get());
  ResultPath->Str1Source = Link<&TKestoDir::AppFolder>(FolderMakerDir.get());
  FolderMakerHub->Out[1] = Link<&TKestoStrCat::Concat>(WallFolderPath.get());
  WallFolderPath->Str1Source = Link<&TKestoStrCat::Value>(ResultPath.get());
  WallFolderPath->Result = Link<&TKestoPathCheck::Check>(WallFolderCheck.get());
  WallFolderCheck->PathSource = Link<&TKestoStrCat::Value>(WallFolderPath.get());
  WallFolderCheck->RootSource = Link<&TKestoStrCat::Value>(ResultPath.get());
  WallFolderCheck->Inside = Link<&TKestoDir::Create>(FolderMakerDir.get());
  FolderMakerPort->InnerData[0] = Link<&TKestoStrCat::Value>(WallFolderPath.get());
}
