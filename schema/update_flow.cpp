// The data update of the main schema: the version at start-up, and the run
// behind "Обновить": ask, fetch the version, fetch and unpack the newer
// archive, record the version, show the news.
#include "schema/main_schema.h"

#include "bszip/codes.h"
#include "components/net/signed_update.h"
#include "schema/controls.h"
#include "schema/update_key.h"

using namespace schema;

// The update server's host name is a build setting (OSTREL_UPDATE_HOST).
#define OSTREL_UPDATE_BASE "http://" OSTREL_UPDATE_HOST "/Dalvoro/Ostrel/updates/v_1_0/"

void TClassSimpleForm_4E37510::CreateUpdate() {
  DataVersionLabel = NewLabel(*MainForm, 10, 200, 72, 16, "Версия данных:", 1, 0, kSmallGreyFont);
  UpdateStatusLabel = NewLabel(*MainForm, 10, 159, 100, 15, "-", 1, 0, kSmallGreyFont);
  UpdateProgress = NewControl<TKestoProgressBar>(*MainForm, 10, 170, 100, 10);
  UpdateProgress->Max = 8;
  UpdateProgress->Vertical = 0;
  UpdateProgress->Smooth = 0;
  UpdateProgress->BarColor = 0xFF000010;
  UpdateProgress->Initialise();
  UpdateButton = NewControl<TKestoButton>(*MainForm, 10, 180, 100, 20);
  UpdateButton->Caption = "Обновить";
  UpdateButton->Hint = "Обновить данные через интернет";
  UpdateButton->Initialise();

  UpdateConfirm = std::make_unique<TKestoMessage>();
  UpdateConfirm->Text = "Запустить обновление?";
  UpdateConfirm->Caption = "Запустить обновление?";
  UpdateConfirm->Buttons = 2;
  UpdateStartHub = std::make_unique<TKestoHub>(4);
  ProgressCounter = std::make_unique<TKestoCounter>();
  ProgressCounter->Value = 0;
  ProgressCounter->Min = 0;
  ProgressCounter->Max = 8;
  ProgressCounter->Step = 1;
  ProgressCounter->Direction = 0;
  SearchingText = std::make_unique<TKestoMemory>(StringData("Поиск обновлений..."));
  LoadingText = std::make_unique<TKestoMemory>(StringData("Загрузка..."));
  BlankText = std::make_unique<TKestoMemory>(StringData(" "));
  NoUpdateText = std::make_unique<TKestoMemory>(StringData("Обновление не требуется"));
  DoneStatusText = std::make_unique<TKestoMemory>(StringData("Завершено"));
  VersionDownload = std::make_unique<TKestoHTTP_Get>();
  VersionDownload->Url = OSTREL_UPDATE_BASE "nowupdate.txt";
  VersionDownload->MaxSize = 4 << 10;  // a number, perhaps a line after it
  VersionReceivedHub = std::make_unique<TKestoHub>(2);
  VersionText = std::make_unique<TKestoStream2Hex>();
  VersionText->Mode = TKestoStream2Hex::kPrintable;
  VersionText->Filler = ".";
  VersionNumber = std::make_unique<TKestoConvertor>();
  VersionNumber->Mode = TKestoConvertor::kStringToInteger;
  VersionParsedHub = std::make_unique<TKestoHub>(2);
  RemoteVersion = std::make_unique<TKestoEventFromData>();
  LocalVersion = std::make_unique<TKestoEventFromData>();
  VersionCompare = std::make_unique<TKestoIf_else>();
  VersionCompare->Type = kGreater;
  ArchiveUrl = std::make_unique<TKestoFormatStr>(1);
  ArchiveUrl->Mask = OSTREL_UPDATE_BASE "upd%1.zip";
  ArchiveStartHub = std::make_unique<TKestoHub>(2);
  ArchiveDownload = std::make_unique<TKestoHTTP_Get>();
  ArchiveDownload->MaxSize = bszip::kMaxTotalSize;  // no more would be unpacked
  ArchivePath = std::make_unique<TKestoStrCat>();
  ArchivePath->Str2 = "lastupdates.zip";
  UpdateFolder = std::make_unique<TKestoDir>();
  ArchiveName = std::make_unique<TKestoFormatStr>(1);
  ArchiveName->Mask = "upd%1.zip";
  SignatureStartHub = std::make_unique<TKestoHub>(2);
  PublishedName = std::make_unique<TKestoEventFromData>();
  SignatureUrl = std::make_unique<TKestoFormatStr>(1);
  SignatureUrl->Mask = OSTREL_UPDATE_BASE "%1.sig";
  SignatureDownload = std::make_unique<TKestoHTTP_Get>();
  SignatureDownload->MaxSize = signed_update::kSignatureSize;  // a signature, or nothing worth reading
  ArchiveVerify = std::make_unique<TKestoSignature>();
  ArchiveVerify->Key = kUpdateKey;
  UnverifiedHub = std::make_unique<TKestoHub>(2);
  UnverifiedMessage = std::make_unique<TKestoMessage>();
  UnverifiedMessage->Text =
      "Не удалось проверить подлинность обновления, поэтому оно не установлено.\r\nПовторите операцию, если "
      "ошибка будет повторяться, обратитесь к разработчику.";
  UnverifiedMessage->Caption = "Ошибка";
  UnverifiedMessage->Icon = 1;
  InstallHub = std::make_unique<TKestoHub>(13);
  ArchiveUnzip = std::make_unique<TKestoZipper>();
  ArchiveUnzip->OptionD = 1;
  ArchiveUnzip->BlockedText =
      "Ошибка при распаковке обновлений: не удалось заменить файл\r\n%1\r\nВозможно, он открыт в другой "
      "программе. Закройте её и повторите операцию.";
  ArchiveUnzip->KeptText =
      "Ошибка при распаковке обновлений: не удалось вернуть прежние файлы на место.\r\nИх копии сохранены в "
      "папке\r\n%1\r\nПрограмма вернёт их на место при следующем запуске.";
  UnzipCheck = std::make_unique<TKestoIf_else>();
  UnzipCheck->Type = kEqual;
  UnzipCheck->Op2 = IntegerData(0);
  UnzipSucceeded = std::make_unique<TKestoDoData>();
  UnzipSucceeded->Data = IntegerData(1);
  UnzipFailed = std::make_unique<TKestoDoData>();
  UnzipFailed->Data = IntegerData(0);
  UnzipTally = std::make_unique<TKestoTally>();
  UnzipErrorMessage = std::make_unique<TKestoMessage>();
  UnzipErrorMessage->Text =
      "Ошибка при распаковке обновлений...\r\nПовторите операцию, если ошибка будет повторяться, "
      "обратитесь к разработчику.";
  UnzipErrorMessage->Caption = "Ошибка";
  UnzipErrorMessage->Icon = 1;
  ArchiveDelete = std::make_unique<TKestoFileTools>();
  ArchiveDelete->Recycle = 0;
  InstalledHub = std::make_unique<TKestoHub>(2);
  UpdateDoneMessage = std::make_unique<TKestoMessage>();
  UpdateDoneMessage->Text = "Обновление завершено. Перезапустите программу.";
  UpdateDoneMessage->Caption = "Завершено";
  UpdateDoneMessage->Icon = 4;
  UpdateDoneHub = std::make_unique<TKestoHub>(3);
  VersionSave = std::make_unique<TKestoDoData>();
  DataVersionSetting = std::make_unique<TKestoini>();
  DataVersionSetting->FileName = "settings.ini";
  DataVersionSetting->Section = "update";
  DataVersionSetting->Key = "data_ver";
  DataVersionSetting->Type = 0;
  NewsCase = std::make_unique<TKestoCase>();
  NewsCase->Value = IntegerData(1);
  NewsDownload = std::make_unique<TKestoHTTP_Get>();
  NewsDownload->Url = OSTREL_UPDATE_BASE "info.txt";
  NewsDownload->MaxSize = 256 << 10;  // read in a message box
  NewsText = std::make_unique<TKestoConvertor>();
  NewsText->Mode = TKestoConvertor::kStreamToString;
  NewsMessage = std::make_unique<TKestoMessage>();
  NewsMessage->Caption = "ЧТО НОВОГО В ПОСЛЕДНЕМ ОБНОВЛЕНИИ";
  NoUpdateHub = std::make_unique<TKestoHub>(2);
  NoUpdateMessage = std::make_unique<TKestoMessage>();
  NoUpdateMessage->Text = "Обновление не требуется.";
  NoUpdateMessage->Caption = "Обновление не требуется";
  NoUpdateMessage->Icon = 4;
  ServerErrorMessage = std::make_unique<TKestoMessage>();
  ServerErrorMessage->Text = "Не удалось связаться с сервером обновлений.";
  ServerErrorMessage->Caption = "Ошибка";
  ServerErrorMessage->Icon = 1;
  WriteErrorText = std::make_unique<TKestoFormatStr>(1);
  WriteErrorText->Mask =
      "Не удалось сохранить обновление в папку программы:\r\n%1\r\nПроверьте, что в эту папку разрешена "
      "запись, и повторите операцию.";
  WriteErrorMessage = std::make_unique<TKestoMessage>();
  WriteErrorMessage->Caption = "Ошибка";
  WriteErrorMessage->Icon = 1;
  UpdateEndSwitch = std::make_unique<TKestoSwitch>(IntegerData(0), IntegerData(0), 1);
  UpdateEndHub = std::make_unique<TKestoHub>(4);
  UpdateButtonOn = std::make_unique<TKestoDoData>();
  UpdateButtonOn->Data = IntegerData(1);
  VersionShowHub = std::make_unique<TKestoHub>(2);
  VersionReadHub = std::make_unique<TKestoHub>(2);
  DataVersionText = std::make_unique<TKestoStrCat>();
  DataVersionText->Str1 = "Версия данных: ";
}

void TClassSimpleForm_4E37510::LinkUpdate() {
  // Start-up: an unpacking a crash cut short is undone (one look when there
  // is none) before the house list reads the folder. Then, as after each
  // install, the installed version and the archive's path.
  StartHub->Out[0] = Link<&TKestoZipper::Recover>(ArchiveUnzip.get());
  StartHub->Out[2] = Link<&TKestoHub::In>(VersionShowHub.get());
  VersionShowHub->Out[0] = Link<&TKestoini::Read>(DataVersionSetting.get());
  VersionShowHub->Out[1] = Link<&TKestoDir::SetCurrent>(UpdateFolder.get());
  DataVersionSetting->Value = Link<&TKestoHub::In>(VersionReadHub.get());
  VersionReadHub->Out[0] = Link<&TKestoStrCat::Concat>(DataVersionText.get());
  VersionReadHub->Out[1] = Link<&TKestoEventFromData::Capture>(LocalVersion.get());
  DataVersionText->Result = Link<&TKestoLabel::Text>(DataVersionLabel.get());
  UpdateFolder->Done = Link<&TKestoStrCat::Concat>(ArchivePath.get());
  ArchivePath->Str1Source = Link<&TKestoDir::AppFolder>(UpdateFolder.get());

  // The question, and the run's start. The button stays off until the run
  // ends, so a second run cannot share the first one's download.
  UpdateButton->Click = Link<&TKestoMessage::Message>(UpdateConfirm.get());
  UpdateConfirm->Yes = Link<&TKestoHub::In>(UpdateStartHub.get());
  UpdateConfirm->No = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());
  UpdateStartHub->Out[0] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  UpdateStartHub->Out[1] = Link<&TKestoMemory::Reset>(SearchingText.get());
  UpdateStartHub->Out[2] = Link<&TKestoHTTP_Get::Download>(VersionDownload.get());
  UpdateStartHub->Out[3] = Link<&TKestoWindowEvents::Enable>(UpdateButton.get());
  ProgressCounter->ValueEvent = Link<&TKestoProgressBar::Position>(UpdateProgress.get());
  for (TKestoMemory* status : {SearchingText.get(), LoadingText.get(), BlankText.get(), NoUpdateText.get(),
                               DoneStatusText.get()})
    status->Changed = Link<&TKestoLabel::Text>(UpdateStatusLabel.get());

  // The newest version, compared with the installed one.
  VersionDownload->Completed = Link<&TKestoHub::In>(VersionReceivedHub.get());
  VersionDownload->Failed = Link<&TKestoMessage::Message>(ServerErrorMessage.get());
  VersionReceivedHub->Out[0] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  VersionReceivedHub->Out[1] = Link<&TKestoStream2Hex::Convert>(VersionText.get());
  VersionText->Result = Link<&TKestoConvertor::Convert>(VersionNumber.get());
  VersionNumber->Result = Link<&TKestoHub::In>(VersionParsedHub.get());
  VersionParsedHub->Out[0] = Link<&TKestoEventFromData::Capture>(RemoteVersion.get());
  VersionParsedHub->Out[1] = Link<&TKestoIf_else::Compare>(VersionCompare.get());
  VersionCompare->Op2Source = Link<&TKestoEventFromData::Value>(LocalVersion.get());
  VersionCompare->True = Link<&TKestoFormatStr::Format>(ArchiveUrl.get());
  VersionCompare->False = Link<&TKestoHub::In>(NoUpdateHub.get());
  ArchiveUrl->StrSources[0] = Link<&TKestoEventFromData::Value>(RemoteVersion.get());
  ArchiveUrl->Result = Link<&TKestoHub::In>(ArchiveStartHub.get());
  ArchiveStartHub->Out[0] = Link<&TKestoMemory::Reset>(LoadingText.get());
  ArchiveStartHub->Out[1] = Link<&TKestoHTTP_Get::Download>(ArchiveDownload.get());
  ArchiveDownload->FileNameSource = Link<&TKestoStrCat::Value>(ArchivePath.get());
  ArchiveDownload->Failed = Link<&TKestoMessage::Message>(ServerErrorMessage.get());
  ServerErrorMessage->Result = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());
  // Not the network's fault: the archive could not be written where it goes.
  ArchiveDownload->SaveFailed = Link<&TKestoFormatStr::Format>(WriteErrorText.get());
  WriteErrorText->StrSources[0] = Link<&TKestoDir::AppFolder>(UpdateFolder.get());
  WriteErrorText->Result = Link<&TKestoMessage::Message>(WriteErrorMessage.get());
  WriteErrorMessage->Result = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());
  NoUpdateHub->Out[0] = Link<&TKestoMemory::Reset>(NoUpdateText.get());
  NoUpdateHub->Out[1] = Link<&TKestoMessage::Message>(NoUpdateMessage.get());
  NoUpdateMessage->Result = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());

  // The archive has arrived. A build with the publisher's key unpacks
  // nothing before the archive's signature, fetched from beside it, proves
  // it is the one published under its name; a build without one trusts the
  // server and the network.
  ArchiveDownload->Completed = *kUpdateKey ? Link<&TKestoFormatStr::Format>(ArchiveName.get())
                                           : Link<&TKestoHub::In>(InstallHub.get());
  ArchiveName->StrSources[0] = Link<&TKestoEventFromData::Value>(RemoteVersion.get());
  ArchiveName->Result = Link<&TKestoHub::In>(SignatureStartHub.get());
  SignatureStartHub->Out[0] = Link<&TKestoEventFromData::Capture>(PublishedName.get());
  SignatureStartHub->Out[1] = Link<&TKestoFormatStr::Format>(SignatureUrl.get());
  SignatureUrl->Result = Link<&TKestoHTTP_Get::Download>(SignatureDownload.get());
  SignatureDownload->Completed = Link<&TKestoSignature::Verify>(ArchiveVerify.get());
  ArchiveVerify->FileNameSource = Link<&TKestoStrCat::Value>(ArchivePath.get());
  ArchiveVerify->NameSource = Link<&TKestoEventFromData::Value>(PublishedName.get());
  ArchiveVerify->Verified = Link<&TKestoHub::In>(InstallHub.get());
  // No signature, or one that does not prove the archive: it goes unopened.
  SignatureDownload->Failed = Link<&TKestoHub::In>(UnverifiedHub.get());
  ArchiveVerify->Refused = Link<&TKestoHub::In>(UnverifiedHub.get());
  UnverifiedHub->Out[0] = Link<&TKestoFileTools::Delete>(ArchiveDelete.get());
  UnverifiedHub->Out[1] = Link<&TKestoMessage::Message>(UnverifiedMessage.get());
  UnverifiedMessage->Result = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());

  // Unpack, recycle the archive, report, record.
  InstallHub->Out[0] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  InstallHub->Out[1] = Link<&TKestoZipper::Open>(ArchiveUnzip.get());
  InstallHub->Out[2] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  InstallHub->Out[3] = Link<&TKestoZipper::ExtractAll>(ArchiveUnzip.get());
  InstallHub->Out[4] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  InstallHub->Out[5] = Link<&TKestoZipper::Close>(ArchiveUnzip.get());
  InstallHub->Out[6] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  InstallHub->Out[7] = Link<&TKestoFileTools::Delete>(ArchiveDelete.get());
  InstallHub->Out[8] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  InstallHub->Out[9] = Link<&TKestoTally::Report>(UnzipTally.get());
  InstallHub->Out[10] = Link<&TKestoCounter::Next>(ProgressCounter.get());
  InstallHub->Out[11] = Link<&TKestoHub::In>(VersionShowHub.get());
  InstallHub->Out[12] = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());
  ArchiveUnzip->ZipFileSource = Link<&TKestoStrCat::Value>(ArchivePath.get());
  ArchiveUnzip->DestinationSource = Link<&TKestoDir::AppFolder>(UpdateFolder.get());
  ArchiveUnzip->Result = Link<&TKestoIf_else::Compare>(UnzipCheck.get());
  // A failed unpack is not an installation: the codes are counted, and only
  // a clean open, extract and close lead on to the success message.
  UnzipCheck->True = Link<&TKestoDoData::Do>(UnzipSucceeded.get());
  UnzipCheck->False = Link<&TKestoDoData::Do>(UnzipFailed.get());
  UnzipSucceeded->Result = Link<&TKestoTally::Count>(UnzipTally.get());
  UnzipFailed->Result = Link<&TKestoTally::Count>(UnzipTally.get());
  UnzipTally->Done = Link<&TKestoHub::In>(InstalledHub.get());
  UnzipTally->Failed = Link<&TKestoMessage::Message>(UnzipErrorMessage.get());
  // Its own text, unless the library pinned the failure on a file or left copies.
  UnzipErrorMessage->TextSource = Link<&TKestoZipper::FailureText>(ArchiveUnzip.get());
  UnzipErrorMessage->Result = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());
  ArchiveDelete->FileName = Link<&TKestoStrCat::Value>(ArchivePath.get());
  InstalledHub->Out[0] = Link<&TKestoMessage::Message>(UpdateDoneMessage.get());
  InstalledHub->Out[1] = Link<&TKestoMemory::Reset>(DoneStatusText.get());
  UpdateDoneMessage->Result = Link<&TKestoHub::In>(UpdateDoneHub.get());
  UpdateDoneHub->Out[0] = Link<&TKestoDoData::Do>(VersionSave.get());
  UpdateDoneHub->Out[1] = Link<&TKestoCase::Case>(NewsCase.get());
  UpdateDoneHub->Out[2] = Link<&TKestoSwitch::Switch>(UpdateEndSwitch.get());
  VersionSave->DataSource = Link<&TKestoEventFromData::Value>(RemoteVersion.get());
  VersionSave->Result = Link<&TKestoini::Write>(DataVersionSetting.get());
  NewsCase->Match = Link<&TKestoHTTP_Get::Download>(NewsDownload.get());
  NewsDownload->Completed = Link<&TKestoConvertor::Convert>(NewsText.get());
  NewsText->Result = Link<&TKestoMessage::Message>(NewsMessage.get());

  // The end of every run.
  UpdateEndSwitch->Changed = Link<&TKestoHub::In>(UpdateEndHub.get());
  UpdateEndHub->Out[0] = Link<&TKestoCounter::Reset>(ProgressCounter.get());
  UpdateEndHub->Out[1] = Link<&TKestoProgressBar::Position>(UpdateProgress.get());
  UpdateEndHub->Out[2] = Link<&TKestoMemory::Reset>(BlankText.get());
  UpdateEndHub->Out[3] = Link<&TKestoDoData::Do>(UpdateButtonOn.get());
  UpdateButtonOn->Result = Link<&TKestoWindowEvents::Enable>(UpdateButton.get());
}
