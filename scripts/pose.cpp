// Poses Ostrel for the README picture: started from the program folder
// given (a plain path such as C:\Ostrel\), with the names typed, both colours
// chosen, and the first house selected with its preview shown. Prints
// "posed" once the picture can be taken, then waits for the window to close.
#include <cstdio>

#include "tests/e2e/driver.h"

using namespace e2e;

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Ostrel ostrel(W(argv[1]));
  HWND form = ostrel.WaitForWindow(L"Ostrel");
  if (!form) return 1;
  Type(ControlAt(form, 170, 55), L"dark red");
  Type(ControlAt(form, 170, 85), W("тёмно-красный"));
  const int colour1[] = {150, 30, 30}, colour2[] = {90, 140, 60};
  Click(ControlAt(form, 220, 25));
  AnswerChooser(ostrel, colour1, true);
  Click(ControlAt(form, 300, 25));
  AnswerChooser(ostrel, colour2, true);
  HWND list = ControlAt(form, 340, 25), preview = ControlAt(form, 545, 25);
  for (DWORD start = GetTickCount(); !SendMessageW(list, LB_GETCOUNT, 0, 0) && GetTickCount() - start < 5000;)
    Sleep(50);
  ClickItem(list, 0);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (DWORD start = GetTickCount(); PixelAtMiddle(preview) == face && GetTickCount() - start < 5000;) Sleep(50);
  std::puts("posed");
  std::fflush(stdout);
  return ostrel.WaitForExit(INFINITE) < 0;
}
