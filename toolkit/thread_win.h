// A worker thread that the window thread can wait for while the worker is
// handing calls over to it (SyncCall).
#pragma once
#include <windows.h>

namespace toolkit {

class TWorkerThread {
 public:
  TWorkerThread() = default;
  ~TWorkerThread() { Release(); }
  TWorkerThread(const TWorkerThread&) = delete;
  TWorkerThread& operator=(const TWorkerThread&) = delete;

  // Runs routine(instance) on a new thread, created suspended and then
  // resumed; a thread started earlier is released.
  bool Start(void (*routine)(void* instance), void* instance);
  // True when the thread has ended within ms (or none was started). Calls
  // sent to this thread meanwhile are run, so a worker blocked in SyncCall
  // cannot deadlock the wait.
  bool Wait(DWORD ms);
  // Lets the thread end on its own.
  void Release();

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace toolkit
