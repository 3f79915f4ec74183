# Nested-schema support and the platform-neutral nested schemas, with the
# file search and folder components they and the batch tool build on.
set(OSTREL_NESTED_SOURCES
  runtime/nested.cpp
  components/files/path_check.cpp
  components/files/dir.cpp
  components/files/file_search.cpp
  toolkit/utf8.cpp
  schema/model_writer.cpp
  schema/folder_maker.cpp)
set(OSTREL_NESTED_HOST_SOURCES
  toolkit/folders_host.cpp
  toolkit/native_name_host.cpp)
