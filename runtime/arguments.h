// A command line split into its arguments by the usual quote rules: blanks
// separate; quotes group, and "" inside quotes is one quote; backslashes are
// literal except before a quote, where each pair gives one and an odd one
// left over makes the quote literal. The program path, which ends at its
// closing quote or at the first blank, is left out.
#pragma once
#include <string>
#include <vector>

std::vector<std::wstring> SplitArguments(const std::wstring& commandLine);
