# Nested-schema support and the platform-neutral nested schemas.
set(OSTREL_NESTED_SOURCES
  runtime/nested.cpp
  components/files/path_check.cpp
  schema/model_writer.cpp)
