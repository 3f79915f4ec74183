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
// Those rules: blanks separate; quotes group, and "" inside quotes is one
// quote; backslashes are literal except before a quote, where each pair
// gives one and an odd one left over makes the quote literal. The program
// path ends at its closing quote, or at the first blank.
std::vector<std::string> SplitArguments(const std::wstring& commandLine);
// The same rules on a given command line: white space separates; quotes
// group, "" inside quotes is one quote; backslashes are literal except
// before a quote, where each pair gives one and an odd one makes the quote
// literal. The program path ends at its closing quote or first blank.
std::vector<std::string> SplitArguments(const std::wstring& commandLine);

// Start-up, message loop, teardown. Returns the process exit code: 0, or
// 3 after an exception escaped, from the schema's construction on (printed
// as "Runtime error 3 at $...").
int RunApplication(const TSchemaClass& schema, const std::vector<std::string>& arguments);
