#include <windows.h>

#include "runtime/lifecycle_win.h"
#include "schema/main_schema.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int code = RunApplication(SchemaClassOf<TClassSimpleForm_4E37510>(), CommandLineArguments());
  ExitProcess(static_cast<UINT>(code));
}
