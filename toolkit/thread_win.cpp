#include "toolkit/thread_win.h"

namespace toolkit {

namespace {
struct Work {
  void (*routine)(void*);
  void* instance;
};

DWORD WINAPI Body(void* parameter) {
  Work work = *static_cast<Work*>(parameter);
  delete static_cast<Work*>(parameter);
  work.routine(work.instance);
  return 0;
}
}  // namespace

bool TWorkerThread::Start(void (*routine)(void*), void* instance) {
  Release();
  auto* work = new Work{routine, instance};
  handle_ = CreateThread(nullptr, 0, Body, work, CREATE_SUSPENDED, nullptr);
  if (!handle_) {
    delete work;
    return false;
  }
  ResumeThread(handle_);
  return true;
}

bool TWorkerThread::Wait(DWORD ms) {
  if (!handle_) return true;
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD spent = GetTickCount() - start;
    const DWORD left = ms == INFINITE ? INFINITE : (spent < ms ? ms - spent : 0);
    const DWORD woken = MsgWaitForMultipleObjects(1, &handle_, FALSE, left, QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0) break;
    if (woken != WAIT_OBJECT_0 + 1) return false;  // time is up
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs the sent calls
  }
  Release();
  return true;
}

void TWorkerThread::Release() {
  if (handle_) CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace toolkit
