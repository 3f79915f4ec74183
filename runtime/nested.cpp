#include "runtime/nested.h"

#include <algorithm>

#include "runtime/debug.h"
#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "runtime/startup.h"

// Marks an instance as calling out for exactly the duration of the call, so
// that nobody can destroy it while its components are still on the stack.
class TKestoMultiElementEx::BusyScope {
 public:
  BusyScope(TKestoMultiElementEx& host, const TKestoEditMultiEx* instance)
      : host_(host), mark_{instance, host.busy_} {
    host_.busy_ = &mark_;
  }
  ~BusyScope() { host_.busy_ = mark_.next; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  TKestoMultiElementEx& host_;
  BusyMark mark_;
};

void TKestoEditMultiEx::Event(TData& data, uint16_t index) {
  if (!host_ || index >= host_->OuterEvents.size()) return;
  TKestoMultiElementEx::BusyScope busy(*host_, this);
  FireEvent(host_->OuterEvents[index], data);
}

void TKestoEditMultiEx::Data(TData& data, uint16_t index) {
  if (!host_ || index >= host_->OuterData.size()) {
    PassData(NoLink, data);  // as if unlinked: the inner reader falls back
    return;
  }
  TKestoMultiElementEx::BusyScope busy(*host_, this);
  PassData(host_->OuterData[index], data);
}

TKestoMultiElementEx::~TKestoMultiElementEx() {
  for (size_t n = instances_.size(); n-- > 0;) {
    TData index = IntegerData(static_cast<int32_t>(n));
    Free(index, 65535);
  }
  // Whatever was refused above is still calling out; it cannot be freed
  // under its own feet, so it is let go.
  instances_.clear();
}

TKestoEditMultiEx* TKestoMultiElementEx::NewInstance() {
  if (!factory_) return nullptr;
  // An instance built while the program runs gets its start-up handlers
  // called at once; one built with the main schema waits for everyone's.
  const bool started = StartupDone;
  StartupDone = false;
  TKestoEditMultiEx* instance = factory_(this, Parent, Owner);
  if (started) RunStartupList();
  return instance;
}

void TKestoMultiElementEx::DestroyInstance(TKestoEditMultiEx* instance) {
  delete instance->Schema();  // takes the boundary with it
}

bool TKestoMultiElementEx::IsBusy(const TKestoEditMultiEx* instance) const {
  for (const BusyMark* mark = busy_; mark; mark = mark->next)
    if (mark->instance == instance) return true;
  return false;
}

void TKestoMultiElementEx::SetFactory(TMultiFactory factory) {
  factory_ = factory;
  if (Mode != 0) return;
  if (TKestoEditMultiEx* instance = NewInstance()) {
    current_ = instance;
    instances_.push_back(instance);
  }
}

void TKestoMultiElementEx::Work(TData& data, uint16_t index) {
  const bool transient = !current_;
  TKestoEditMultiEx* instance = transient ? NewInstance() : current_;
  if (!instance) return;
  if (index < instance->InnerWork.size()) FireEvent(instance->InnerWork[index], data);
  if (transient) DestroyInstance(instance);
}

void TKestoMultiElementEx::Data(TData& data, uint16_t index) {
  const bool transient = !current_;
  TKestoEditMultiEx* instance = transient ? NewInstance() : current_;
  if (!instance) {
    PassData(NoLink, data);
    return;
  }
  PassData(index < instance->InnerData.size() ? instance->InnerData[index] : NoLink, data);
  if (transient) DestroyInstance(instance);
}

void TKestoMultiElementEx::Free(TData& data, uint16_t index) {
  const int32_t n = ValueToInteger(data);
  if (n < 0 || static_cast<size_t>(n) >= instances_.size()) return;
  TKestoEditMultiEx* instance = instances_[static_cast<size_t>(n)];
  if (IsBusy(instance)) {
    DebugMessage("Self destruction is not allowed !!!");
    return;
  }
  if (index < instance->InnerWork.size()) FireEvent(instance->InnerWork[index], data);
  // The farewell call above may itself have freed instances: look again.
  auto listed = std::find(instances_.begin(), instances_.end(), instance);
  if (listed == instances_.end()) return;
  if (instance == current_) current_ = nullptr;
  instances_.erase(listed);
  DestroyInstance(instance);
}
