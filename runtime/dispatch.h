// Event and data dispatch, firing and forwarding.
#pragma once
#include <string>

#include "runtime/link.h"

using TDispatcher = void (*)(const TKesto_Event& link, TData& data);

// Both start switched off: nothing fired while the schema is built, or after
// the main window accepted closing, reaches anybody.
extern TDispatcher EventDispatcher;
extern TDispatcher DataDispatcher;
void SwitchDispatchOn();
void SwitchDispatchOff();

void FireNull(const TKesto_Event& link);
void FireInteger(const TKesto_Event& link, int32_t i);
void FireString(const TKesto_Event& link, std::string s);
void FireStream(const TKesto_Event& link, TStream* p);
void FireBitmap(const TKesto_Event& link, TBitmap* p);
void FireCopy(const TKesto_Event& link, const TData& stored);  // stored stays untouched
void FireEvent(const TKesto_Event& link, TData& value);        // receivers may change value

// Forwarding: a work point's last event, run by the dispatcher after the
// work point has returned, so chains of components never deepen the stack.
void ForwardNull(TData& data, const TKesto_Event& link);
void ForwardInteger(TData& data, const TKesto_Event& link, int32_t i);
void ForwardString(TData& data, const TKesto_Event& link, std::string s);
void ForwardAsIs(TData& data, const TKesto_Event& link);
