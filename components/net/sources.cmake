# net components (Windows only)
set(OSTREL_NET_SOURCES)
# The zipper and, in a file of its own, its interface to BSZIP.dll.
list(APPEND OSTREL_NET_SOURCES
  components/net/zipper.cpp
  components/net/zip_library.cpp)
# The HTTP download, with the toolkit's internet client and worker thread.
list(APPEND OSTREL_NET_SOURCES
  components/net/http_get.cpp
  toolkit/internet_win.cpp
  toolkit/thread_win.cpp)
# The update's signature check, with the toolkit's CNG calls; the formats
# are shared with ostrel-publish.
list(APPEND OSTREL_NET_SOURCES
  components/net/signature.cpp
  components/net/signed_update.cpp
  toolkit/signature_win.cpp)
