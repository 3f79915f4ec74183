# The Win32 side of the toolkit.
set(OSTREL_TOOLKIT_SOURCES
  toolkit/system_win.cpp)
