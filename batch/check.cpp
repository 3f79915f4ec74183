#include "batch/check.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "batch/preview.h"
#include "batch/template_rules.h"
#include "runtime/dispatch.h"
#include "schema/batch_schema.h"
#include "schema/model_writer.h"
#include "toolkit/file_bytes.h"
#include "toolkit/folders.h"
#include "toolkit/utf8.h"

namespace {

// What a user might type into the window: field 1 is formatted with it, so
// that the name checked is a name the window could write. %1 .. %5.
const char* const kSamples[5] = {"5", "red", "красный", "255 0 0", "0 128 0"};
// Where the wall set of those inputs goes, below result\.
const char kWallFolder[] = "5_red\\";

// Keeps every value that arrives.
class Collected {
 public:
  void Add(TData& data, uint16_t) { values.push_back(ValueToString(data)); }
  std::vector<std::string> values;
};

// The window's dispatch for the length of a check, then as it was.
class DispatchOn {
 public:
  DispatchOn() { SwitchDispatchOn(); }
  ~DispatchOn() {
    EventDispatcher = events_;
    DataDispatcher = data_;
  }

 private:
  TDispatcher events_ = EventDispatcher, data_ = DataDispatcher;
};

// The window's components that find, read, cut and name templates, with
// collectors where the window would go on to write. Members in creation order.
class CheckSchema {
 public:
  explicit CheckSchema(const std::string& sources) {
    for (size_t i = 0; i < 5; ++i) Samples[i] = std::make_unique<TKestoMemory>(StringData(kSamples[i]));
    WallTemplateSearch = MakeWallTemplateSearch();
    HouseTemplateSearch = MakeHouseTemplateSearch();
    AnyWallSearch = MakeHouseTemplateSearch();
    AnyWallSearch->Mask = "*.wgw";  // in subfolders too, where the window does not look
    for (TKestoFileSearch* search : {WallTemplateSearch.get(), HouseTemplateSearch.get(), AnyWallSearch.get()})
      search->Dir = sources;
    TemplateText = std::make_unique<TKestoStrList>("");
    TemplateParts = MakeTemplateParts();
    FileNameFormat = std::make_unique<TKestoFormatStr>(5);
    PreviewName = std::make_unique<TKestoReplace>();
    PreviewName->SubStr = ".wgh";
    PreviewName->DestStr = ".bmp";

    WallTemplateSearch->Found = Link<&Collected::Add>(&Walls);
    HouseTemplateSearch->Found = Link<&Collected::Add>(&Houses);
    AnyWallSearch->Found = Link<&Collected::Add>(&AnyWalls);
    TemplateText->Changed = Link<&TKestoMultiStrPart::Split>(TemplateParts.get());
    TemplateParts->TextSource = Link<&TKestoStrList::Text>(TemplateText.get());
    TemplateParts->Rest = Link<&Collected::Add>(&Rest);
    TemplateParts->NoDelimiter = Link<&Collected::Add>(&Uncut);
    for (uint16_t i = 0; i < 5; ++i) FileNameFormat->StrSources[i] = Link<&TKestoMemory::Value>(Samples[i].get());
  }

  void Search() {
    for (TKestoFileSearch* search : {WallTemplateSearch.get(), HouseTemplateSearch.get(), AnyWallSearch.get()})
      FireNull(Link<&TKestoFileSearch::Search>(search));
  }
  // The template's bytes as the window's string list loads them, then cut.
  void Load(const std::string& bytes) {
    Rest.values.clear();
    Uncut.values.clear();
    FireString(Link<&TKestoStrList::SetText>(TemplateText.get()), bytes);
  }
  std::string FileName() {
    FireString(Link<&TKestoFormatStr::SetMask>(FileNameFormat.get()), TemplateParts->Parts[0]);
    FireNull(Link<&TKestoFormatStr::Format>(FileNameFormat.get()));
    return FileNameFormat->Value;
  }
  std::string Preview(const std::string& house) {
    FireString(Link<&TKestoReplace::Replace>(PreviewName.get()), house);
    return PreviewName->Text;
  }

  std::unique_ptr<TKestoMemory> Samples[5];
  std::unique_ptr<TKestoFileSearch> WallTemplateSearch, HouseTemplateSearch, AnyWallSearch;
  std::unique_ptr<TKestoStrList> TemplateText;
  std::unique_ptr<TKestoMultiStrPart> TemplateParts;
  std::unique_ptr<TKestoFormatStr> FileNameFormat;
  std::unique_ptr<TKestoReplace> PreviewName;
  Collected Walls, Houses, AnyWalls, Rest, Uncut;
};

class Checker {
 public:
  Checker(const std::string& folder, TemplateCheck& check) : folder_(folder), check_(check) {}

  void Run(CheckSchema& schema, std::vector<std::string> walls, std::vector<std::string> houses) {
    std::sort(walls.begin(), walls.end());  // "later" below means later in this order
    for (const std::string& wall : walls) Template(schema, wall, true);
    for (const std::string& house : houses) Template(schema, house, false);
    for (const std::string& wall : schema.AnyWalls.values)
      if (!std::binary_search(walls.begin(), walls.end(), wall))
        Problem(wall, "nested-wall", "the window reads wall templates only straight in sources\\: move it there");
  }

 private:
  void Problem(const std::string& path, const char* code, const std::string& message) {
    check_.problems.push_back({path.substr(folder_.size()), 1, 1, code, message});
  }

  void Template(CheckSchema& schema, const std::string& path, bool wall) {
    std::string bytes;
    if (!toolkit::ReadFileBytes(path, bytes, kLargestTemplate))
      return Problem(path, "unreadable", "cannot be read, or larger than 16 MiB: is it a template?");
    if (!wall) Preview(schema, path);
    schema.Load(bytes);
    TemplateReport report(path.substr(folder_.size()), bytes, schema.TemplateText->List.Lines(), check_.problems);
    if (!CheckEncoding(bytes, report)) return;
    if (!schema.Uncut.values.empty())
      return report.AtFile(0, "no-fields", "no \"||\" in the text, so the window writes nothing: "
                                           "separate the four fields with \"||\"");
    CheckFields(schema.TemplateText->List.Text(), schema.TemplateParts->Parts, schema.Rest.values.at(0), report);
    const std::string result = folder_ + "result\\", name = schema.FileName();
    if (!CheckOutputName(name, wall ? result + kWallFolder : result, result, report) || !wall) return;
    const auto [first, fresh] = written_.emplace(SameFileKey(name), path);
    if (!fresh)
      report.AtText(0, "same-output", "writes " + Quoted(name) + " as " + Quoted(Leaf(first->second)) +
                                          " does, and the window keeps whichever comes last: rename one");
  }

  void Preview(CheckSchema& schema, const std::string& house) {
    const std::string picture = schema.Preview(house);
    std::string why;
    if (picture == house)
      Problem(house, "no-preview", "the window looks for the preview under \".wgh\" in lower case: rename it so");
    else if (!toolkit::IsExistingFile(picture))
      Problem(house, "no-preview", "no preview picture: add " + Quoted(Leaf(picture)) +
                                       " (colour 1 bright pink, colour 2 acid green)");
    else if (!decoder_.Decodes(picture, why))
      Problem(house, "bad-preview", "the preview " + Quoted(Leaf(picture)) + " " + why);
  }

  static std::string Leaf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

  const std::string& folder_;
  TemplateCheck& check_;
  PreviewDecoder decoder_;
  std::map<std::string, std::string> written_;  // wall outputs met so far, with the template
};

}  // namespace

TemplateCheck CheckTemplates(const std::string& folder) {
  TemplateCheck check;
  const std::string sources = folder + "sources\\";
  int entries = 0;
  check.listed = toolkit::ListFolder(sources, [&](const toolkit::FolderEntry&) { ++entries; });
  if (!check.listed) return check;
  DispatchOn on;
  CheckSchema schema(sources);
  schema.Search();
  check.walls = static_cast<int>(schema.Walls.values.size());
  check.houses = static_cast<int>(schema.Houses.values.size());
  if (check.walls + check.houses == 0)
    check.problems.push_back({"sources", 0, 0, "no-templates",
                              entries == 0 ? "the folder is empty: put the wall (*.wgw) and house (*.wgh) templates in it"
                                           : "no wall (*.wgw) or house (*.wgh) template: name them with these endings"});
  Checker(folder, check).Run(schema, schema.Walls.values, schema.Houses.values);
  std::sort(check.problems.begin(), check.problems.end(), [](const TemplateProblem& a, const TemplateProblem& b) {
    return std::tie(a.path, a.line, a.column, a.code, a.message) < std::tie(b.path, b.line, b.column, b.code, b.message);
  });
  return check;
}

std::string ProblemLine(const TemplateProblem& problem, const std::string& shownFolder) {
  std::string path = toolkit::Cp1251ToUtf8(problem.path);
#ifndef _WIN32
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  return shownFolder + path + ":" + std::to_string(problem.line) + ":" + std::to_string(problem.column) + ": " +
         problem.code + ": " + toolkit::Cp1251ToUtf8(problem.message);
}
