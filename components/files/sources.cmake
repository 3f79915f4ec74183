# File tools and the settings file (Windows only), with the toolkit's ini
# access they use, and the Win32 side of file search and folders (whose
# components are in the core, schema/nested_sources.cmake).
set(OSTREL_FILES_SOURCES
  toolkit/folders_win.cpp
  components/files/file_tools.cpp
  components/files/ini.cpp
  toolkit/ini_file_win.cpp)
