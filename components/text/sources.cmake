# String, list and flow components (platform-neutral), with the toolkit
# pieces they need. Host and Windows lists hold the per-platform files.
set(OSTREL_TEXT_SOURCES
  components/text/strings.cpp
  components/text/convert.cpp
  components/text/lists.cpp
  components/text/storage.cpp
  components/text/flow.cpp
  toolkit/stream.cpp
  toolkit/strlist.cpp)
set(OSTREL_TEXT_HOST_SOURCES
  toolkit/file_bytes_host.cpp)
set(OSTREL_TEXT_WIN_SOURCES
  toolkit/file_bytes_win.cpp)
