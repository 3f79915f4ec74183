// A small enclosing schema for the nested-schema tests: it hosts the model
// writer (and, on Windows, the folder maker) and answers their outer data
// points from memory components, as the main window's boxes would.
#pragma once
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "components/text/storage.h"
#include "runtime/nested.h"
#include "schema/model_writer.h"
#include "tests/core/probes.h"
#ifdef _WIN32
#include "schema/folder_maker.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/system.h"
#endif

namespace nested_test {

// The model writer's outer data, in the order of its points.
enum Input { kFloors, kColour1, kColour2, kEnglish, kRussian, kField1, kField2, kField3, kField4, kFolder };
constexpr int kInputCount = 10;

inline std::filesystem::path Native(const std::string& cp1251) {
#ifdef _WIN32
  return toolkit::Widen(cp1251);
#else
  return cp1251;
#endif
}

// A fresh folder in the temp folder, ending in the separator; removed with
// its content at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    static std::mt19937 random(std::random_device{}());
#ifdef _WIN32
    path_ = toolkit::TempFolder() + "ostrel_nested_" + std::to_string(random()) + "\\";
#else
    path_ = "/tmp/ostrel_nested_" + std::to_string(random()) + "/";
#endif
    std::filesystem::create_directories(Native(path_));
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Native(path_), ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

class WallSchema {
 public:
  WallSchema() {
    ModelWriter = std::make_unique<TKestoMultiElementEx>(nullptr, this);
    ModelWriter->Mode = 0;
    ModelWriter->OuterEvents.resize(1);
    ModelWriter->OuterData.resize(kInputCount);
    ModelWriter->OuterEvents[0] = Link<&Probe::In>(&Written);
#ifdef _WIN32
    WallFolderMaker = std::make_unique<TKestoMultiElementEx>(nullptr, this);
    WallFolderMaker->Mode = 0;
    WallFolderMaker->OuterData.resize(2);
#endif
    for (int i = 0; i < kInputCount; ++i) Set(static_cast<Input>(i), "");
    ModelWriter->SetFactory(&TClassMultiElementEx_4EA8790::Factory);
#ifdef _WIN32
    WallFolderMaker->SetFactory(&TClassMultiElementEx_4EA8FD0::Factory);
#endif
  }

  // A fresh memory answering `value` takes over the input.
  void Set(Input input, const std::string& value) {
    Inputs[input] = std::make_unique<TKestoMemory>(StringData(value));
    ModelWriter->OuterData[input] = Link<&TKestoMemory::Value>(Inputs[input].get());
#ifdef _WIN32
    WallFolderMaker->OuterData[0] = ModelWriter->OuterData[kFloors];
    WallFolderMaker->OuterData[1] = ModelWriter->OuterData[kEnglish];
#endif
  }

  // What the cutter's Rest does: one template through the writer.
  void Write() {
    TData rest = StringData("");
    FireEvent(Link<&TKestoMultiElementEx::Work>(ModelWriter.get(), 0), rest);
  }

  DispatchOn dispatch;
  Probe Written;
  std::unique_ptr<TKestoMemory> Inputs[kInputCount];
  std::unique_ptr<TKestoMultiElementEx> ModelWriter;
#ifdef _WIN32
  std::unique_ptr<TKestoMultiElementEx> WallFolderMaker;
#endif
};

}  // namespace nested_test
