# The main schema and the nested schemas.
set(OSTREL_SCHEMA_SOURCES
  schema/main_schema.cpp
  schema/wall_flow.cpp
  schema/inputs_flow.cpp
  schema/house_flow.cpp
  schema/update_flow.cpp)
