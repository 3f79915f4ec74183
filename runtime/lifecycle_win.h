// Process start to process exit, around one schema class.
#pragma once
#include <memory>
#include <string>
#include <vector>

class TKestoSimpleForm;

// What the lifecycle needs of a schema: construct it, find its main form.
struct TSchemaClass {
  void* (*Create)();
  TKestoSimpleForm& (*MainForm)(void* schema);
  void (*Destroy)(void* schema);
};

template <class Schema>
TSchemaClass SchemaClassOf() {
  return {[]() -> void* { return new Schema(nullptr); },
          [](void* s) -> TKestoSimpleForm& { return static_cast<Schema*>(s)->Form(); },
          [](void* s) { delete static_cast<Schema*>(s); }};
}

// The arguments after the program path, split with the usual quote rules.
std::vector<std::string> CommandLineArguments();

// Start-up, message loop, teardown. Returns the process exit code: 0, or
// 3 after an exception escaped, from the schema's construction on (printed
// as "Runtime error 3 at $..."), or 2 when the program folder has no name
// in cp1251 (said in a box; no schema is made).
int RunApplication(const TSchemaClass& schema, const std::vector<std::string>& arguments);
