// Components that must act once the whole schema exists register here.
#pragma once

using TStartupRoutine = void (*)(void* instance);

extern bool StartupDone;
void AddToStartupList(TStartupRoutine routine, void* instance);
// Calls every entry in the order added, empties the list, sets StartupDone.
void RunStartupList();
void ClearStartupList();

// A unique non-zero number for each window-component class that asks.
int NewClassNumber();
