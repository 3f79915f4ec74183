// The hidden application window, the message loop and the hand-over of
// calls from worker threads to the window thread.
#pragma once
#include <windows.h>

#include <exception>

#include "toolkit/control_win.h"

namespace toolkit {

// The top-level window that owns the taskbar button; made by the first form.
// A close that reaches it from outside (the taskbar, the task manager) is
// handed to the main form as the user's close.
extern TControl* ApplicationWindow;
TControl* EnsureApplicationWindow();
void FreeApplicationWindow();
// The main form's accepted close: destroys the application window, and with
// it the forms it owns, without handing the close back to the form.
void CloseApplicationWindow();

// The window that owns message boxes (the main form), or null.
extern HWND MainFormHandle;

// A worker thread's event, run on the window thread: the worker blocks in
// SyncCall until the routine has returned. Skipped without an application window.
struct TSyncCall {
  void (*routine)(void* instance) = nullptr;
  void* instance = nullptr;
};
constexpr UINT kSyncCallMessage = 0x8FFF;
void SyncCall(TSyncCall& call);

// WaitMessage, then drain the queue, until WM_QUIT. Rethrows an exception
// that a window procedure caught (see AbortMessageLoop).
void RunMessageLoop();
// Ends the loop at once; the exception is raised again after the loop.
void AbortMessageLoop(std::exception_ptr error);

}  // namespace toolkit
