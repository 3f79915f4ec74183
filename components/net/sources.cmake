# net components (Windows only)
set(OSTREL_NET_SOURCES)
# The HTTP download, with the toolkit's internet client and worker thread.
list(APPEND OSTREL_NET_SOURCES
  components/net/http_get.cpp
  toolkit/internet_win.cpp
  toolkit/thread_win.cpp)
