// Shared test helpers for the text components.
#pragma once
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/core/probes.h"
#ifdef _WIN32
#include "toolkit/cp1251_win.h"
#include "toolkit/system.h"
#else
#include "toolkit/native_name_host.h"
#endif

namespace text_test {

// A value chain whose tail nodes outlive any consumption by readers.
class Chain {
 public:
  Chain(std::initializer_list<TData> values) {
    for (const TData& v : values) nodes_.push_back(std::make_unique<TData>(v));
    for (size_t i = 0; i + 1 < nodes_.size(); ++i) nodes_[i]->Next = nodes_[i + 1].get();
  }
  // The head as it would arrive with an event.
  TData Head() const { return nodes_.empty() ? TData() : *nodes_[0]; }

 private:
  std::vector<std::unique_ptr<TData>> nodes_;
};

// Fires a work point through a link, as another component would, and hands
// back what is left of the value afterwards.
template <auto Point, class C>
TData Fire(C& component, TData value = TData()) {
  TKesto_Event link = Link<Point>(&component);
  FireEvent(link, value);
  return value;
}

inline TKesto_Event To(Probe& probe) { return Link<&Probe::In>(&probe); }
inline TKesto_Event From(Source& source) { return Link<&Source::Get>(&source); }

inline std::vector<std::string> Strings(const Probe& probe) {
  std::vector<std::string> out;
  for (const TData& v : probe.values) out.push_back(ValueToString(v));
  return out;
}

using Texts = std::vector<std::string>;

// A name in the program's form (cp1251, "\") as the file system takes it.
inline std::filesystem::path Native(const std::string& cp1251) {
#ifdef _WIN32
  return toolkit::Widen(cp1251);
#else
  return toolkit::NativeName(cp1251);
#endif
}

// A fresh folder of the test's own in the system's temp folder, its name
// ending in "\"; it goes with everything in it when the object goes, however
// the test ended, so no run leaves files behind or finds another run's.
class OwnFolder {
 public:
  explicit OwnFolder(const std::string& prefix) {
#ifdef _WIN32
    const std::string temp = toolkit::TempFolder();
#else
    const std::string temp = std::filesystem::temp_directory_path().string() + "/";
#endif
    name_ = temp + prefix + std::to_string(std::random_device{}()) + "\\";
    std::filesystem::create_directory(Native(name_));
  }
  ~OwnFolder() { std::filesystem::remove_all(Native(name_)); }
  OwnFolder(const OwnFolder&) = delete;
  OwnFolder& operator=(const OwnFolder&) = delete;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

}  // namespace text_test
