// Shared test helpers for the text components.
#pragma once
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tests/core/probes.h"

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

}  // namespace text_test
