# Nested-schema support and the platform-neutral nested schemas.
set(OSTREL_NESTED_SOURCES
  runtime/nested.cpp
  schema/model_writer.cpp)
