// Nested schemas: a sub-network that the enclosing schema sees as one
// component (the host) and that sees the outside world through one boundary
// component of its own.
#pragma once
#include <cstdint>
#include <vector>

#include "runtime/link.h"

class TKestoMultiElementEx;
class TKestoEditMultiEx;

// Base of every generated nested-schema class. The host destroys an instance
// through this, so the inner components go in the schema's own order.
class TClassMultiBase {
 public:
  TClassMultiBase(TKestoMultiElementEx* host, void* parent, void* owner)
      : Host(host), Parent(parent), Owner(owner) {}
  virtual ~TClassMultiBase() = default;
  TClassMultiBase(const TClassMultiBase&) = delete;
  TClassMultiBase& operator=(const TClassMultiBase&) = delete;

  TKestoMultiElementEx* const Host;
  void* const Parent;  // the host's parent control; unused by window-less schemas
  void* const Owner;   // the enclosing schema
};

// Builds one nested-schema instance and returns its boundary, which the
// schema owns.
using TMultiFactory = TKestoEditMultiEx* (*)(TKestoMultiElementEx* host, void* parent, void* owner);

// The boundary: inner components link their outward points to Event and
// Data; the host drives InnerWork and asks InnerData.
class TKestoEditMultiEx {
 public:
  TKestoEditMultiEx(TKestoMultiElementEx* host, TClassMultiBase* schema, uint16_t workCount,
                    uint16_t dataCount)
      : InnerWork(workCount), InnerData(dataCount), host_(host), schema_(schema) {}

  TKesto_Events InnerWork;  // element i: what the host's Work i drives
  TKesto_Events InnerData;  // element i: what answers the host's Data i

  void Event(TData& data, uint16_t index);  // fires the host's outer event `index`
  void Data(TData& data, uint16_t index);   // reads the host's outer data link `index`

  TClassMultiBase* Schema() const { return schema_; }

 private:
  TKestoMultiElementEx* const host_;
  TClassMultiBase* const schema_;
};

class TKestoMultiElementEx {
 public:
  explicit TKestoMultiElementEx(void* parent, void* owner = nullptr) : Parent(parent), Owner(owner) {}
  ~TKestoMultiElementEx();
  TKestoMultiElementEx(const TKestoMultiElementEx&) = delete;
  TKestoMultiElementEx& operator=(const TKestoMultiElementEx&) = delete;

  uint8_t Mode = 0;  // 0: one standing instance; otherwise a fresh one per call
  void* const Parent;
  void* const Owner;
  TKesto_Events OuterEvents;  // element i: where the boundary's Event i goes
  TKesto_Events OuterData;    // element i: what answers the boundary's Data i

  // Set once the outer arrays are linked; in mode 0 builds the standing instance.
  void SetFactory(TMultiFactory factory);

  // Without a current instance both build a fresh one and free it after the
  // call; without a factory they do nothing (Data answers Break).
  void Work(TData& data, uint16_t index);  // drives the instance's InnerWork[index]
  void Data(TData& data, uint16_t index);  // asks the instance's InnerData[index]
  // Destroys listed instance number ValueToInteger(data); refused while that
  // instance is calling out. When `index` names one of its inner work links,
  // that link is fired with data first.
  void Free(TData& data, uint16_t index);

  TKestoEditMultiEx* Current() const { return current_; }
  const std::vector<TKestoEditMultiEx*>& Instances() const { return instances_; }

 private:
  friend class TKestoEditMultiEx;

  // One entry per instance calling out; lives on the caller's stack.
  struct BusyMark {
    const TKestoEditMultiEx* instance;
    BusyMark* next;
  };
  class BusyScope;

  TKestoEditMultiEx* NewInstance();
  static void DestroyInstance(TKestoEditMultiEx* instance);
  bool IsBusy(const TKestoEditMultiEx* instance) const;

  TMultiFactory factory_ = nullptr;
  TKestoEditMultiEx* current_ = nullptr;
  std::vector<TKestoEditMultiEx*> instances_;  // in creation order
  BusyMark* busy_ = nullptr;
};
