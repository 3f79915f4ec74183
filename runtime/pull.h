// Reading data points. A linked point asks its source; an unlinked one (or
// one whose source answers Break) takes a non-empty default, else consumes
// the first value that arrived with the event. The order in which a work
// point reads its points is therefore part of its behaviour.
#pragma once
#include <string>

#include "runtime/link.h"

TData PullValue(TData& data, const TKesto_Event& link, const TData* def);
TData PullChain(TData& data, const TKesto_Event& link, const TData* def);
std::string PullString(TData& data, const TKesto_Event& link, const std::string& def);
int32_t PullInteger(TData& data, const TKesto_Event& link, int32_t def);
TStream* PullStream(TData& data, const TKesto_Event& link, TStream* def);
TBitmap* PullBitmap(TData& data, const TKesto_Event& link, TBitmap* def);
TArrayInterface* PullArray(const TKesto_Event& link);
int32_t AskInteger(const TKesto_Event& link);

// Relays one data request to another link; an unset link answers Break so
// the reader further up falls back to its own default or incoming value.
void PassData(const TKesto_Event& link, TData& value);
