// An ordered list of 8-bit lines with a CR LF text form. Contents are raw
// bytes: no code-page conversion anywhere.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TStrList {
 public:
  // Stored unchanged: a line holding CR LF stays one line.
  void Add(std::string line) { lines_.push_back(std::move(line)); }

  // Splits text into lines appended to the list: a line ends at CR, an LF
  // right after that CR is skipped, a lone LF is an ordinary character, a
  // 0 byte ends the text and a final CR LF adds no empty line.
  void AddText(const std::string& text);
  void SetText(const std::string& text);
  // Every line followed by CR LF; an empty list gives the empty text.
  std::string Text() const;

  // Replaces the lines with the file's text; false (list untouched) when
  // the file cannot be opened or read, or is longer than limit bytes.
  // Never creates the file.
  bool LoadFromFile(const std::string& name, uint64_t limit = UINT64_MAX);
  // Replaces the file with the text form; false when it cannot be written.
  bool SaveToFile(const std::string& name) const;

  size_t Count() const { return lines_.size(); }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};
