// Lists the entries of a folder (and, if wanted, of its subfolders) that
// match a wildcard mask. Data point fields carry the suffix "Source" where a
// property has the same name.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "runtime/link.h"
#include "toolkit/folders.h"

class TKestoFileSearch {
 public:
  std::string Mask;            // default mask
  std::string Dir;             // default folder
  uint8_t SubfolderMode = 0;   // 0 descends into subfolders, anything else stays in Dir
  uint8_t FullName = 0;        // non-zero reports folder + name, 0 the bare name
  uint8_t Kind = 0;            // 0 files, 1 folders only, anything else both
  TKesto_Event Found;          // string, at once for every reported entry
  TKesto_Event Finished;       // integer: matching files
  TKesto_Event Other;          // string: every file that does not match
  TKesto_Event DirSource, MaskSource;
  // Where a folder's identity comes from (tests stand in for the file system).
  bool (*Identify)(const std::string& folder, toolkit::FolderId& id) = &toolkit::IdentifyFolder;

  void Search(TData& data, uint16_t index);

 private:
  void List(const std::string& folder, bool linked);
  void Report(const std::string& folder, const std::string& name);
  bool FirstVisit(const std::string& folder, bool linked);
  void Forget();

  std::string mask_;   // lower-cased mask of the running search
  int32_t count_ = 0;  // matching files so far
  // Identities of the folders listed so far, and the plain folders listed
  // whose identity has not been needed yet.
  std::set<toolkit::FolderId> listed_;
  std::vector<std::string> unidentified_;
};

// Only the letters A to Z change; other bytes, Cyrillic included, stay.
std::string LowerLatin(std::string s);

// The whole name against the whole mask, taken as they are: "*" any run
// (also empty), "?" one character, "#" one digit 0..9, anything else itself.
bool MatchMask(const std::string& name, const std::string& mask);
