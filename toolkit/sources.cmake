# The Win32 side of the toolkit.
set(OSTREL_TOOLKIT_SOURCES
  toolkit/cp1251_win.cpp
  toolkit/short_names_win.cpp
  toolkit/system_win.cpp)
list(APPEND OSTREL_TOOLKIT_SOURCES
  toolkit/app_win.cpp
  toolkit/control_win.cpp
  toolkit/gdi_win.cpp
  toolkit/resource_win.cpp
  runtime/lifecycle_win.cpp)
