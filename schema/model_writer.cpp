#include "schema/model_writer.h"

TKestoEditMultiEx* TClassMultiElementEx_4EA8790::Factory(TKestoMultiElementEx* host, void* parent,
                                                         void* owner) {
  return (new TClassMultiElementEx_4EA8790(host, parent, owner))->WriterPort.get();
}

TClassMultiElementEx_4EA8790::TClassMultiElementEx_4EA8790(TKestoMultiElementEx* host, void* parent,
                                                           void* owner)
    : TClassMultiBase(host, parent, owner) {
  WriterPort = std::make_unique<TKestoEditMultiEx>(host, this, 1, 1);
  WriterHub = std::make_unique<TKestoHub>(2);
  FirstPart = std::make_unique<TKestoDoData>();
  FirstPartHub = std::make_unique<TKestoHub>(2);
  FirstPartFormat = std::make_unique<TKestoFormatStr>(5);
  FirstPartFormat->Mask = "";
  FloorLoop = std::make_unique<TKestoFor>();
  FloorLoop->Start = 1;
  FloorLoop->End = 0;
  FloorLoop->Step = 1;
  FloorLoop->IncludeEnd = 0;
  FloorLoop->KeepInput = 0;
  FloorPart = std::make_unique<TKestoDoData>();
  FloorPartHub = std::make_unique<TKestoHub>(2);
  FloorPartFormat = std::make_unique<TKestoFormatStr>(5);
  FloorPartFormat->Mask = "";
  FloorsDoneHub = std::make_unique<TKestoHub>(4);
  FileNamePart = std::make_unique<TKestoDoData>();
  FileNameFormat = std::make_unique<TKestoFormatStr>(5);
  FileNameFormat->Mask = "";
  OutputFilePath = std::make_unique<TKestoStrCat>();
  OutputFilePath->Str1 = "";
  OutputFilePath->Str2 = "";
  LastPartPad = std::make_unique<TKestoInsert>();
  LastPartPad->Str = "";
  LastPartPad->SubStr = " ";
  LastPartPad->Position = 10000000;  // past any end: the blank is appended
  LastPartPad->Direction = 0;
  LastPartHub = std::make_unique<TKestoHub>(2);
  ModelText = std::make_unique<TKestoStrList>("");
  ModelText->FileName = "";
  OutputPathCheck = std::make_unique<TKestoPathCheck>();
  OutputPathCheck->Root = "result\\";
  PathFailure = std::make_unique<TKestoDoData>();
  PathFailure->Data = IntegerData(0);

  WriterPort->InnerWork[0] = Link<&TKestoHub::In>(WriterHub.get());
  // The boundary's one data link stays unset: nothing is read from inside.
  WriterHub->Out[0] = Link<&TKestoDoData::Do>(FirstPart.get());
  WriterHub->Out[1] = Link<&TKestoFor::Run>(FloorLoop.get());
  FirstPart->DataSource = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 6);
  FirstPart->Result = Link<&TKestoHub::In>(FirstPartHub.get());
  FirstPartHub->Out[0] = Link<&TKestoFormatStr::SetMask>(FirstPartFormat.get());
  FirstPartHub->Out[1] = Link<&TKestoFormatStr::Format>(FirstPartFormat.get());
  FirstPartFormat->StrSources[0] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 0);
  FirstPartFormat->StrSources[1] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 3);
  FirstPartFormat->StrSources[2] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 4);
  FirstPartFormat->StrSources[3] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 1);
  FirstPartFormat->StrSources[4] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 2);
  FirstPartFormat->Result = Link<&TKestoStrList::SetText>(ModelText.get());
  FloorLoop->EndSource = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 0);
  FloorLoop->Iteration = Link<&TKestoDoData::Do>(FloorPart.get());
  FloorLoop->Done = Link<&TKestoHub::In>(FloorsDoneHub.get());
  FloorPart->DataSource = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 7);
  FloorPart->Result = Link<&TKestoHub::In>(FloorPartHub.get());
  FloorPartHub->Out[0] = Link<&TKestoFormatStr::SetMask>(FloorPartFormat.get());
  FloorPartHub->Out[1] = Link<&TKestoFormatStr::Format>(FloorPartFormat.get());
  FloorPartFormat->StrSources[0] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 0);
  FloorPartFormat->StrSources[1] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 3);
  FloorPartFormat->StrSources[2] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 4);
  FloorPartFormat->StrSources[3] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 1);
  FloorPartFormat->StrSources[4] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 2);
  FloorPartFormat->Result = Link<&TKestoStrList::Add>(ModelText.get());
  FloorsDoneHub->Out[0] = Link<&TKestoDoData::Do>(FileNamePart.get());
  FloorsDoneHub->Out[1] = Link<&TKestoFormatStr::Format>(FileNameFormat.get());
  FloorsDoneHub->Out[2] = Link<&TKestoInsert::Insert>(LastPartPad.get());
  FloorsDoneHub->Out[3] = Link<&TKestoEditMultiEx::Event>(WriterPort.get(), 0);
  FileNamePart->DataSource = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 5);
  FileNamePart->Result = Link<&TKestoFormatStr::SetMask>(FileNameFormat.get());
  FileNameFormat->StrSources[0] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 0);
  FileNameFormat->StrSources[1] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 3);
  FileNameFormat->StrSources[2] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 4);
  FileNameFormat->StrSources[3] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 1);
  FileNameFormat->StrSources[4] = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 2);
  FileNameFormat->Result = Link<&TKestoStrCat::Concat>(OutputFilePath.get());
  OutputFilePath->Str1Source = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 9);
  LastPartPad->StrSource = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 8);
  LastPartPad->Result = Link<&TKestoHub::In>(LastPartHub.get());
  LastPartHub->Out[0] = Link<&TKestoHub::In>(FloorPartHub.get());
  LastPartHub->Out[1] = Link<&TKestoPathCheck::Check>(OutputPathCheck.get());
  ModelText->FileNameSource = Link<&TKestoStrCat::Value>(OutputFilePath.get());
  ModelText->Saved = Link<&TKestoEditMultiEx::Event>(WriterPort.get(), 1);
  OutputPathCheck->PathSource = Link<&TKestoStrCat::Value>(OutputFilePath.get());
  OutputPathCheck->RootSource = Link<&TKestoEditMultiEx::Data>(WriterPort.get(), 10);
  OutputPathCheck->Inside = Link<&TKestoStrList::Save>(ModelText.get());
  OutputPathCheck->Outside = Link<&TKestoDoData::Do>(PathFailure.get());
  PathFailure->Result = Link<&TKestoEditMultiEx::Event>(WriterPort.get(), 1);
}
