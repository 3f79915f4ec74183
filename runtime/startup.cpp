#include "runtime/startup.h"

#include <cstddef>
#include <utility>
#include <vector>

bool StartupDone = false;

static std::vector<std::pair<TStartupRoutine, void*>>& StartupList() {
  static std::vector<std::pair<TStartupRoutine, void*>> list;
  return list;
}

void AddToStartupList(TStartupRoutine routine, void* instance) {
  StartupList().emplace_back(routine, instance);
}

void RunStartupList() {
  // An entry may register further entries (a nested schema built by a
  // start-up handler); they run in this same pass.
  auto& list = StartupList();
  for (std::size_t i = 0; i < list.size(); ++i) list[i].first(list[i].second);
  list.clear();
  StartupDone = true;
}

void ClearStartupList() { StartupList().clear(); }

int NewClassNumber() {
  static int counter = 0;
  return ++counter;
}
