// The link record and the type-safe way to build one.
#pragma once
#include <cstdint>
#include <type_traits>
#include <vector>

#include "runtime/data.h"

// Every work point and data source has this shape.
using TWorkRoutine = void (*)(void* instance, TData& data, uint16_t index);

// All-zero means "not linked".
struct TKesto_Event {
  TWorkRoutine code = nullptr;
  void* instance = nullptr;
  uint16_t index = 0;

  bool Linked() const { return code != nullptr; }
};

// Indexed points (hub outputs, nested-schema ports): element i is point i.
using TKesto_Events = std::vector<TKesto_Event>;

// Passed where a component has no data point of its own.
extern const TKesto_Event NoLink;

namespace link_detail {
template <class M>
struct PointOf;
template <class C>
struct PointOf<void (C::*)(TData&, uint16_t)> {
  using Class = C;
};

template <class C, void (C::*M)(TData&, uint16_t)>
void Thunk(void* instance, TData& data, uint16_t index) {
  (static_cast<C*>(instance)->*M)(data, index);
}
}  // namespace link_detail

// Link<&TKestoHub::In>(WallHub) — the point's class is checked at compile
// time, and a derived instance is converted to that class before it is
// stored, so the thunk's cast back is exact.
template <auto Point>
TKesto_Event Link(typename link_detail::PointOf<decltype(Point)>::Class* instance,
                  uint16_t index = 0) {
  using C = typename link_detail::PointOf<decltype(Point)>::Class;
  return TKesto_Event{&link_detail::Thunk<C, Point>, instance, index};
}

// The payload of an "Array" value. Whoever owns the items builds one record,
// keeps it and hands out the same pointer every time.
struct TArrayInterface {
  void (*Write)(void* instance, const TData& index, const TData& value) = nullptr;
  void* WriteInstance = nullptr;
  bool (*Read)(void* instance, const TData& index, TData& out) = nullptr;
  void* ReadInstance = nullptr;
  int32_t (*Count)(void* instance) = nullptr;
  void* CountInstance = nullptr;
  void (*Add)(void* instance, const TData& value) = nullptr;
  void* AddInstance = nullptr;

  TArrayInterface();  // Write and Add start as routines that do nothing
};
