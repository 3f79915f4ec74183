# File search, folders, file tools and the settings file (Windows only),
# with the toolkit's ini access they use.
set(OSTREL_FILES_SOURCES
  components/files/dir.cpp
  components/files/file_search.cpp
  components/files/file_tools.cpp
  components/files/ini.cpp
  toolkit/ini_file_win.cpp)
