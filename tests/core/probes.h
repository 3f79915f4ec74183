// Probe components for tests: put them into a graph and look at what arrives.
#pragma once
#include <vector>

#include "runtime/dispatch.h"
#include "runtime/pull.h"

// Records every value that reaches its work point, with the index it came with.
struct Probe {
  std::vector<TData> values;
  std::vector<uint16_t> indexes;
  void In(TData& d, uint16_t index) {
    values.push_back(d);
    indexes.push_back(index);
  }
};

// A data source answering a fixed value.
struct Source {
  TData answer;
  int asked = 0;
  void Get(TData& d, uint16_t) {
    ++asked;
    d = answer;
  }
};

// Switches dispatch on for one test and off again afterwards.
struct DispatchOn {
  DispatchOn() { SwitchDispatchOn(); }
  ~DispatchOn() { SwitchDispatchOff(); }
};
