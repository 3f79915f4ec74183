#include "bszip/journal.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>

namespace bszip {

namespace {

constexpr char kHeader[] = "bszip journal 1\n";

constexpr size_t kEndLength = 13;

// "end <CRC-32 of the first length bytes>".
std::string EndLine(const std::string& text, size_t length) {
  char end[kEndLength + 1];
  std::snprintf(end, sizeof end, "end %08lx\n", crc32_z(0, reinterpret_cast<const Bytef*>(text.data()), length));
  return end;
}

// The next space-separated word of line from at; empty at the end.
std::string Word(const std::string& line, size_t& at) {
  const size_t space = line.find(' ', at);
  const size_t end = space == std::string::npos ? line.size() : space;
  std::string word = line.substr(at, end - at);
  at = end == line.size() ? end : end + 1;
  return word;
}

bool ParseNumber(const std::string& word, size_t& value) {
  if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::strtoul(word.c_str(), nullptr, 10);
  return true;
}

}  // namespace

std::string StagedName(size_t k) { return "f" + std::to_string(k); }
std::string KeptName(size_t k) { return "k" + std::to_string(k); }

bool IsStagingFile(const std::string& name) {
  if (name == kJournalName) return true;
  size_t ignored;
  return !name.empty() && (name[0] == 'f' || name[0] == 'k') && ParseNumber(name.substr(1), ignored);
}

// "d <parent, 0 for the destination, else its line among the folders from 1>
// <+ made, = there before> <part>", then "<staged> <kept or -> <r or -> <path>",
// so that somebody who finds the copies can tell which is which.
std::string Journal::Text() const {
  std::string text = kHeader;
  for (const Folder& f : folders)
    text += "d " + std::to_string(f.parent == kTop ? 0 : f.parent + 1) + (f.made ? " + " : " = ") + f.part + "\n";
  for (size_t k = 0; k < files.size(); ++k)
    text += StagedName(k) + " " + (files[k].kept ? KeptName(k) : "-") + (files[k].readOnly ? " r " : " - ") +
            files[k].path + "\n";
  return text + EndLine(text, text.size());
}

bool Journal::Parse(const std::string& text) {
  *this = Journal();
  if (text.size() < sizeof kHeader - 1 + kEndLength || text.compare(0, sizeof kHeader - 1, kHeader) != 0) return false;
  const size_t last = text.size() - kEndLength;
  if (text.compare(last, std::string::npos, EndLine(text, last)) != 0) return false;
  for (size_t at = sizeof kHeader - 1; at < last;) {
    const size_t cut = text.find('\n', at);
    const std::string line = text.substr(at, cut - at);
    at = cut + 1;
    size_t word = 0, parent = 0;
    const std::string kind = Word(line, word);
    if (kind == "d") {
      if (!files.empty() || !ParseNumber(Word(line, word), parent) || parent > folders.size()) return false;
      const std::string made = Word(line, word);
      if (made != "+" && made != "=") return false;
      folders.push_back({parent == 0 ? kTop : parent - 1, made == "+", line.substr(word)});
      continue;
    }
    const std::string kept = Word(line, word), readOnly = Word(line, word);
    const size_t k = files.size();
    if (kind != StagedName(k) || (kept != "-" && kept != KeptName(k)) || (readOnly != "-" && readOnly != "r"))
      return false;
    files.push_back({line.substr(word), kept != "-", readOnly == "r"});
  }
  return true;
}

bool Apply(Target& target, const Journal& journal, size_t& failed) {
  failed = kTop;
  for (size_t i = 0; i < journal.folders.size(); ++i)
    if (journal.folders[i].made && !target.MakeFolder(journal.FolderPath(i))) return false;
  for (size_t k = 0; k < journal.files.size(); ++k) {
    const Journal::File& file = journal.files[k];
    // Windows will not replace a read-only file; anywhere else this is harmless.
    if (file.readOnly) target.SetReadOnly(file.path, false);
    if (!target.MoveIn(StagedName(k), file.path)) {
      failed = k;
      return false;
    }
  }
  return true;
}

bool RollBack(Target& target, const Journal& journal) {
  bool back = true;
  for (size_t k = journal.files.size(); k-- > 0;) {
    const Journal::File& file = journal.files[k];
    bool old = true;  // the old file, or none, is at the path
    if (!target.HasStaged(StagedName(k))) {  // moved in
      if (file.kept)
        old = !target.HasStaged(KeptName(k)) || target.MoveIn(KeptName(k), file.path);
      else
        old = target.RemoveFile(file.path) || target.KindOf(file.path) == Target::kNothing;
    }
    if (old && file.readOnly) target.SetReadOnly(file.path, true);
    back = back && old;
  }
  for (size_t i = journal.folders.size(); i-- > 0;)
    if (journal.folders[i].made) target.RemoveFolder(journal.FolderPath(i));
  target.Settle();
  return back;
}

Code Recover(Target& target) {
  std::string text;
  switch (target.FindStaging(text)) {
    case Target::kNoStaging: return kOk;
    case Target::kStagingInUse: return kBusy;
    case Target::kStagingLeft: break;
  }
  // A journal that does not parse was cut short before the first move.
  Journal journal;
  if (journal.Parse(text) && !RollBack(target, journal)) return kUndoFailed;
  target.RemoveStaging();
  return kOk;
}

}  // namespace bszip
