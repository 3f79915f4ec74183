// The template check: every wall and house template of a program folder,
// found, cut and formatted by the window's own components, and what the
// window would do wrong with it, one problem a line, as compilers report.
// It writes nothing and changes no global state of the program.
#pragma once
#include <string>
#include <vector>

struct TemplateProblem {
  std::string path;     // below the program folder, cp1251, "\" between parts
  int line, column;     // in the file as an editor shows it, from 1; 0 for a folder
  std::string code;     // one of the words that --help lists
  std::string message;  // English, cp1251 where it quotes the template
};

struct TemplateCheck {
  bool listed = false;  // false: sources\ cannot be listed, nothing was checked
  int walls = 0, houses = 0;
  std::vector<TemplateProblem> problems;  // by path, line, column, code
};

// `folder`: the program folder, cp1251, ending in "\".
TemplateCheck CheckTemplates(const std::string& folder);

// "path:line:column: code: message" in UTF-8, the path after `shownFolder`
// (UTF-8, as the user named the folder, ending in a separator) with the
// platform's separator.
std::string ProblemLine(const TemplateProblem& problem, const std::string& shownFolder);
