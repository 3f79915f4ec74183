// The model writer: turns the four fields of one template into one model
// file. Outer data 0..9: floor count, colour 1, colour 2, English name,
// Russian name, fields 1..4, result folder; outer data 10: the folder no
// file may leave (unlinked: result\ in the program folder). Outer event 0:
// the file is done; outer event 1: Integer 1 for a file written, 0 for one
// that could not be or was refused for lying outside.
// Members are declared in creation order, so they are freed in reverse.
#pragma once
#include <memory>

#include "components/text/lists.h"
#include "components/text/storage.h"
#include "components/text/strings.h"
#include "components/files/path_check.h"
#include "components/text/flow.h"
#include "runtime/nested.h"

// A template is a short text. A bigger file is not taken for one: the floor
// block would be written up to a hundred times over.
constexpr uint32_t kLargestTemplate = 16 << 20;

class TClassMultiElementEx_4EA8790 : public TClassMultiBase {
 public:
  TClassMultiElementEx_4EA8790(TKestoMultiElementEx* host, void* parent, void* owner);
  ~TClassMultiElementEx_4EA8790() override = default;

  static TKestoEditMultiEx* Factory(TKestoMultiElementEx* host, void* parent, void* owner);

  std::unique_ptr<TKestoEditMultiEx> WriterPort;
  std::unique_ptr<TKestoHub> WriterHub;
  std::unique_ptr<TKestoDoData> FirstPart;
  std::unique_ptr<TKestoHub> FirstPartHub;
  std::unique_ptr<TKestoFormatStr> FirstPartFormat;
  std::unique_ptr<TKestoFor> FloorLoop;
  std::unique_ptr<TKestoDoData> FloorPart;
  std::unique_ptr<TKestoHub> FloorPartHub;
  std::unique_ptr<TKestoFormatStr> FloorPartFormat;
  std::unique_ptr<TKestoHub> FloorsDoneHub;
  std::unique_ptr<TKestoDoData> FileNamePart;
  std::unique_ptr<TKestoFormatStr> FileNameFormat;
  std::unique_ptr<TKestoStrCat> OutputFilePath;
  std::unique_ptr<TKestoInsert> LastPartPad;
  std::unique_ptr<TKestoHub> LastPartHub;
  std::unique_ptr<TKestoStrList> ModelText;
  std::unique_ptr<TKestoPathCheck> OutputPathCheck;
  std::unique_ptr<TKestoDoData> PathFailure;
};
