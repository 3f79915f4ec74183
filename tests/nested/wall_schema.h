// A small enclosing schema for the nested-schema tests: it hosts the model
// writer (and, on Windows, the folder maker) and answers their outer data
// points from memory components, as the main window's boxes would.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "components/text/storage.h"
#include "schema/model_writer.h"
#include "tests/core/probes.h"
#include "tests/text/helpers.h"
#ifdef _WIN32
#include "schema/folder_maker.h"
#endif

namespace nested_test {

// The model writer's outer data, in the order of its points.
enum Input { kFloors, kColour1, kColour2, kEnglish, kRussian, kField1, kField2, kField3, kField4, kFolder, kRoot };

using text_test::Native;
using text_test::OwnFolder;

class WallSchema {
 public:
  WallSchema() {
    ModelWriter->OuterEvents.resize(2);
    ModelWriter->OuterData.resize(11);
    ModelWriter->OuterEvents[0] = Link<&Probe::In>(&Written);
    ModelWriter->OuterEvents[1] = Link<&Probe::In>(&Saved);
    WallFolderMaker->OuterData.resize(2);
    for (int i = kFloors; i <= kRoot; ++i) Set(static_cast<Input>(i), "");
    ModelWriter->SetFactory(&TClassMultiElementEx_4EA8790::Factory);
#ifdef _WIN32
    WallFolderMaker->SetFactory(&TClassMultiElementEx_4EA8FD0::Factory);
#endif
  }

  // A fresh memory answering `value` takes over the input.
  void Set(Input input, const std::string& value) {
    Inputs[input] = std::make_unique<TKestoMemory>(StringData(value));
    ModelWriter->OuterData[input] = Link<&TKestoMemory::Value>(Inputs[input].get());
    WallFolderMaker->OuterData[0] = ModelWriter->OuterData[kFloors];
    WallFolderMaker->OuterData[1] = ModelWriter->OuterData[kEnglish];
  }

  // What the cutter's Rest does with each template.
  void Write() {
    TData rest = StringData("");
    FireEvent(Link<&TKestoMultiElementEx::Work>(ModelWriter.get(), 0), rest);
  }

  DispatchOn dispatch;
  Probe Written, Saved;
  std::unique_ptr<TKestoMemory> Inputs[kRoot + 1];
  std::unique_ptr<TKestoMultiElementEx> ModelWriter = std::make_unique<TKestoMultiElementEx>(nullptr);
  std::unique_ptr<TKestoMultiElementEx> WallFolderMaker = std::make_unique<TKestoMultiElementEx>(nullptr);
};

}  // namespace nested_test
