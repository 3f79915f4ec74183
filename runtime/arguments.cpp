#include "runtime/arguments.h"

#include <algorithm>

static bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// One argument from `i` on; `i` ends after it.
static std::wstring NextArgument(const std::wstring& line, size_t& i) {
  std::wstring argument;
  for (bool quoted = false; i < line.size() && (quoted || !IsBlank(line[i]));) {
    if (line[i] == L'\\') {
      size_t end = line.find_first_not_of(L'\\', i);
      if (end == std::wstring::npos) end = line.size();
      const size_t run = end - i;
      const bool quote = end < line.size() && line[end] == L'"';
      argument.append(quote ? run / 2 : run, L'\\');
      i = end;
      if (quote && run % 2 == 1) argument += line[i++];  // an escaped quote
    } else if (line[i] == L'"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == L'"')
        argument += line[++i];  // "" inside quotes
      else
        quoted = !quoted;
      ++i;
    } else {
      argument += line[i++];
    }
  }
  return argument;
}

std::vector<std::wstring> SplitArguments(const std::wstring& line) {
  size_t i = 0;
  if (!line.empty() && line[0] == L'"') i = std::min(line.find(L'"', 1), line.size() - 1) + 1;
  while (i < line.size() && !IsBlank(line[i])) ++i;
  std::vector<std::wstring> arguments;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return arguments;
    arguments.push_back(NextArgument(line, i));
  }
}
