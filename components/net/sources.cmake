# net components (Windows only)
set(OSTREL_NET_SOURCES)
# The zipper and, in a file of its own, its interface to BSZIP.dll.
list(APPEND OSTREL_NET_SOURCES
  components/net/zipper.cpp
  components/net/zip_library.cpp)
