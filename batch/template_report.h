// The problems of one template file, placed where an editor shows them.
// The window reads a template as lines cut at CR (an LF right after it
// skipped, a 0 byte ending the text) and joins them again with CR LF; the
// rules look at that joined text, but the author edits the file, whose
// lines an editor ends at LF, CR LF or a lone CR.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "batch/check.h"

class TemplateReport {
 public:
  // `lines`: the file's lines as the window's string list holds them.
  TemplateReport(std::string path, const std::string& bytes, const std::vector<std::string>& lines,
                 std::vector<TemplateProblem>& problems);

  void AtFile(size_t fileOffset, const char* code, const std::string& message);
  // An offset in the joined text; the CR LF the window adds maps to the end
  // of its line.
  void AtText(size_t textOffset, const char* code, const std::string& message);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::vector<size_t> editorLines_;  // file offsets where an editor's lines start
  struct Piece {
    size_t text, file, length;  // where one list line starts in both, its length
  };
  std::vector<Piece> pieces_;
  std::vector<TemplateProblem>& problems_;
  static constexpr int kMostPerFile = 20;  // the last one says that more follow
  int reported_ = 0;
};

// Template text fit to stand in a one-line message: control characters
// escaped, at most `limit` characters.
std::string Quoted(const std::string& text, size_t limit = 60);
