// The main window's schema built and torn down in this process, watched
// through the allocation functions: every instance comes in its declared
// order and goes in the reverse one; every control carries its font.
// GCC cannot see that the replaced new below pairs with the replaced delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

#include "schema/main_schema.h"

namespace {
// (allocated, address) in the order the calls came; null: not watching.
std::vector<std::pair<bool, void*>>* g_log = nullptr;

void Note(bool allocated, void* p) {
  auto* log = g_log;
  g_log = nullptr;  // the vector's own growth is not watched
  log->push_back({allocated, p});
  g_log = log;
}
}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  if (g_log) Note(true, p);
  return p;
}
void operator delete(void* p) noexcept {
  if (g_log && p) Note(false, p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

struct SchemaTest : ::testing::Test {
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    CreateHintManager();
  }
  static std::vector<std::pair<std::string, void*>> Instances(TClassSimpleForm_4E37510& schema) {
    std::vector<std::pair<std::string, void*>> all;
    schema.ForEachInstance([&](const char* name, auto* p) { all.push_back({name, p}); });
    return all;
  }
};

// The position in `log` of the entry for p: the last allocation, or the
// first release.
size_t Position(const std::vector<std::pair<bool, void*>>& log, bool allocated, void* p) {
  if (allocated)
    for (size_t i = log.size(); i-- > 0;)
      if (log[i] == std::make_pair(true, p)) return i;
  for (size_t i = 0; i < log.size(); ++i)
    if (log[i] == std::make_pair(allocated, p)) return i;
  return SIZE_MAX;
}

TEST_F(SchemaTest, InstancesComeInTheirOrderAndGoInTheReverseOne) {
  std::vector<std::pair<bool, void*>> log;
  g_log = &log;
  auto* schema = new TClassSimpleForm_4E37510(nullptr);
  g_log = nullptr;
  const auto instances = Instances(*schema);
  // The window's 112, 15 more for the failures it reports and the button
  // it rests during an update, and 8 for the update's signature.
  EXPECT_EQ(instances.size(), 135u);
  size_t last = 0;
  for (const auto& [name, p] : instances) {
    const size_t at = Position(log, true, p);
    EXPECT_TRUE(at != SIZE_MAX && (last == 0 || at > last)) << name << " created out of order";
    last = at;
  }

  log.clear();
  g_log = &log;
  delete schema;
  g_log = nullptr;
  last = SIZE_MAX;
  for (const auto& [name, p] : instances) {
    const size_t at = Position(log, false, p);
    EXPECT_TRUE(at != SIZE_MAX && (last == SIZE_MAX || at < last)) << name << " freed out of order";
    last = at;
  }
  EXPECT_EQ(instances.front().first, "MainForm");  // freed last
}

TEST_F(SchemaTest, EveryControlCarriesItsFont) {
  TClassSimpleForm_4E37510 schema(nullptr);
  schema.ForEachInstance([](const char* name, auto* instance) {
    if constexpr (std::is_base_of_v<TKestoWindowEvents, std::remove_pointer_t<decltype(instance)>>) {
      const std::string n = name;
      const bool small = n == "DataVersionLabel" || n == "UpdateStatusLabel";
      LOGFONTW font{};
      ASSERT_TRUE(GetObjectW(instance->Control()->FontHandle(), sizeof font, &font)) << name;
      EXPECT_STREQ(font.lfFaceName, small ? L"Arial" : L"MS Sans Serif") << name;
      EXPECT_EQ(font.lfHeight, toolkit::FontHeight(small ? 7 : 8)) << name;
      EXPECT_EQ(font.lfCharSet, small ? 204 : 1) << name;
    }
  });
}

}  // namespace
