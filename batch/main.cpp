// ostrel-batch: the window's wall and house generation from the command
// line, many colours in one run, through the very schema pieces the window
// uses (schema/batch_schema.h).
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/check.h"
#include "batch/jobs.h"
#include "components/files/file_search.h"
#include "runtime/dispatch.h"
#include "toolkit/console.h"
#include "toolkit/file_bytes.h"
#include "toolkit/folders.h"
#include "toolkit/system.h"
#include "toolkit/utf8.h"

namespace {

const char kHelp[] =
    "Usage: ostrel-batch --folder DIR [--walls | --house PATH | --houses]\n"
    "                    (--floors N --en NAME --ru NAME [--colour1 \"R G B\"] [--colour2 \"R G B\"]\n"
    "                     | --jobs FILE)\n"
    "       ostrel-batch --check [--folder DIR]\n"
    "\n"
    "Makes the models Ostrel's window makes, for one set of inputs or for every\n"
    "line of a job file, with the same templates, names and folders.\n"
    "\n"
    "  --folder DIR      the program folder: templates in DIR/sources, output in DIR/result\n"
    "  --walls           every wall template sources/*.wgw into result/N_NAME/ (the default)\n"
    "  --house PATH      one house template into result/\n"
    "  --houses          every house template sources/**/*.wgh into result/\n"
    "  --floors N        floor count, 1..101\n"
    "  --en NAME         English colour name (file and folder names)\n"
    "  --ru NAME         Russian colour name\n"
    "  --colour1 COLOUR  colour 1 as \"R G B\" (0..255 each) or #RRGGBB; none when left out\n"
    "  --colour2 COLOUR  colour 2, the same way\n"
    "  --jobs FILE       UTF-8 CSV, header floors,en,ru,colour1,colour2, one job a line;\n"
    "                    a bad line is reported with its number and skipped\n"
    "  --check           check the templates instead (below)\n"
    "  --help            this text\n"
    "\n"
    "Exit code: 0 when every file of every job was written, 1 when a job or a\n"
    "file failed, 2 when the command line or a folder or file it names is wrong,\n"
    "or when a template's name has letters outside cp1251 (nothing is written then).\n"
    "\n"
    "--check reads every template of DIR (by default the folder ostrel-batch is\n"
    "in) as the window would, and prints each problem as\n"
    "\"path:line:column: code: message\", by path, then a summary. Field 1 is\n"
    "named with the inputs 5, red, красный, \"255 0 0\" and \"0 128 0\". Exit code:\n"
    "0 no problem, 1 problems, 2 the command line or the folder is wrong. Codes:\n"
    "  no-fields     no \"||\" in the text: the window writes nothing\n"
    "  few-fields    fewer than four fields: nothing is written\n"
    "  empty-top     field 4 is empty: nothing is written\n"
    "  extra-text    text after the fourth field, which the window ignores\n"
    "  single-bar    a single \"|\" ends a field and drops the character after it\n"
    "  placeholder   %0, %6..%9, or %1..%5 right before a digit: left as it is\n"
    "  lone-percent  a \"%\" at the end of a line, left as it is\n"
    "  empty-name    field 1, the file name, is empty\n"
    "  outside       a name the window refuses: a drive, \"..\" out of result, only dots\n"
    "  bad-name      a name Windows cannot create: a device name, a refused character,\n"
    "                a line break, a dot or blank at the end\n"
    "  subfolder     a name in a folder that the window does not make\n"
    "  same-output   two wall templates write the same file\n"
    "  utf8-bom, utf8-text, utf16, nul-byte\n"
    "                the file is not plain cp1251, from the place where it starts\n"
    "  no-preview    a house template without its preview picture\n"
    "  bad-preview   a preview that does not decode (here: with "
#ifdef _WIN32
    "Windows' own decoder"
#else
    "gdk-pixbuf, held to\n"
    "                the formats Windows decodes and to whole pictures"
#endif
    ")\n"
    "  nested-wall   a wall template in a subfolder, which the window never reads\n"
    "  unreadable    a template that cannot be read\n"
    "  no-templates  sources is empty, or holds neither kind of template\n"
    "  too-many      twenty problems in one file: the rest are not listed\n"
    "\n"
    "Examples:\n"
    "  ostrel-batch --folder ostrel --floors 5 --en \"dark red\" --ru тёмно-красный --colour1 \"128 0 0\"\n"
    "  ostrel-batch --folder ostrel --houses --jobs colours.csv\n"
    "  ostrel-batch --check --folder ostrel\n";

enum class Kind { kWalls, kHouse, kHouses };

struct Options {
  std::string folder, house, jobs;
  Kind kind = Kind::kWalls;
  int kinds = 0;
  JobFields fields;
  bool typed = false;  // any of --floors .. --colour2
  bool help = false;
  bool check = false;
};

struct UsageError {
  std::string message;
  const char* hint = " (see --help)";  // "" where the help has nothing to add
};

void Say(const std::string& utf8, bool error = false) { toolkit::WriteOut(utf8 + "\n", error); }

// A program path to show: UTF-8, with the platform's separator.
std::string Shown(const std::string& cp1251) {
  std::string s = toolkit::Cp1251ToUtf8(cp1251);
#ifndef _WIN32
  std::replace(s.begin(), s.end(), '\\', '/');
#endif
  return s;
}

// What a listing had to pass over: named, for the user to rename.
std::string Unreachable(const toolkit::LostEntries& lost) {
  std::string text = std::to_string(lost.count) + " name(s) in the templates' folder have letters outside cp1251 " +
                     "and no short (8.3) form without them; rename them with Latin or Cyrillic letters:";
  for (const std::string& path : lost.paths) text += "\n  " + path;
  if (lost.count > lost.paths.size()) text += "\n  ...";
  return text;
}

Options Parse(const std::vector<std::string>& args) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
      return args[++i];
    };
    auto typed = [&](std::string& field) {
      field = value();
      o.typed = true;
    };
    if (a == "--help" || a == "-h") o.help = true;
    else if (a == "--folder") o.folder = value();
    else if (a == "--check") o.check = true;
    else if (a == "--walls") o.kind = Kind::kWalls, ++o.kinds;
    else if (a == "--house") o.house = value(), o.kind = Kind::kHouse, ++o.kinds;
    else if (a == "--houses") o.kind = Kind::kHouses, ++o.kinds;
    else if (a == "--jobs") o.jobs = value();
    else if (a == "--floors") typed(o.fields.floors);
    else if (a == "--en") typed(o.fields.english);
    else if (a == "--ru") typed(o.fields.russian);
    else if (a == "--colour1") typed(o.fields.colour1);
    else if (a == "--colour2") typed(o.fields.colour2);
    else throw UsageError{"unknown option " + a};
  }
  if (o.help) return o;
  if (o.check) {
    if (o.kinds || o.typed || !o.jobs.empty()) throw UsageError{"--check takes no option but --folder"};
    return o;
  }
  if (o.folder.empty()) throw UsageError{"--folder DIR is required"};
  if (o.kinds > 1) throw UsageError{"--walls, --house and --houses exclude each other"};
  if (o.typed == !o.jobs.empty()) throw UsageError{"give either --floors, --en, --ru (and colours) or --jobs FILE"};
  return o;
}

// An argument path made absolute, in the program's form: cp1251, "\".
std::string ProgramPath(const std::string& utf8, const char* what) {
  std::error_code failed;
  std::filesystem::path p = std::filesystem::absolute(std::filesystem::u8path(utf8), failed).lexically_normal();
  std::string cp1251;
  if (failed || !toolkit::ProgramPath(p.make_preferred().u8string(), cp1251))
    throw UsageError{std::string(what) + " \"" + utf8 + "\" cannot be named in cp1251, not even by its short (8.3) form" +
                         "; use one whose path has only Latin or Cyrillic letters",
                     ""};
  return cp1251;
}

std::vector<JobLine> ReadJobs(const Options& o) {
  std::vector<JobLine> jobs;
  if (o.jobs.empty()) {
    JobLine job{0, {}, {}};
    if (!MakeInputs(o.fields, job.inputs, job.error)) throw UsageError{job.error};
    return {job};
  }
  std::string bytes, error;
  if (!toolkit::ReadFileBytes(ProgramPath(o.jobs, "job file"), bytes))
    throw UsageError{"cannot read the job file " + o.jobs};
  if (!ParseJobFile(bytes, jobs, error)) throw UsageError{o.jobs + ": " + error};
  return jobs;
}

class Progress {
 public:
  explicit Progress(size_t total) : total_(total), shown_(total > 1 && toolkit::IsTerminal(true)) {}
  void Step(size_t done) {
    if (!shown_) return;
    const size_t width = 30, filled = width * done / total_;
    toolkit::WriteOut("\r[" + std::string(filled, '#') + std::string(width - filled, '.') + "] " +
                          std::to_string(done) + "/" + std::to_string(total_) + " jobs",
                      true);
  }
  void Clear() {
    if (shown_) toolkit::WriteOut("\r" + std::string(50, ' ') + "\r", true);
  }

 private:
  size_t total_;
  bool shown_;
};

struct Totals {
  int jobs = 0, failedJobs = 0, written = 0, failed = 0;
};

class Batch {
 public:
  Batch(const Options& o, std::string folder) : o_(o), folder_(std::move(folder)) {}

  void CheckSources() {
    const std::string sources = schema_.SourcesFolder();
    if (!toolkit::ListFolder(sources, [](const toolkit::FolderEntry&) {}))
      throw UsageError{"cannot read the template folder " + Shown(sources)};
    // The folders the house search will enter, walked once beforehand, so
    // that a name cp1251 cannot hold stops the run before a file is written
    // rather than leaving its template out.
    if (o_.kind == Kind::kHouses) {
      TKestoFileSearch walk;
      TData folder = StringData(sources);
      walk.Search(folder, 0);
    }
    const toolkit::LostEntries lost = toolkit::TakeLostEntries();
    if (lost.count && o_.kind != Kind::kHouse) throw UsageError{Unreachable(lost), ""};
    if (o_.kind == Kind::kHouse) {
      house_ = ProgramPath(o_.house, "house template");
      std::string bytes;
      if (!toolkit::ReadFileBytes(house_, bytes)) throw UsageError{"cannot read the house template " + o_.house};
    }
  }

  Totals Run(const std::vector<JobLine>& jobs) {
    Totals totals;
    Progress progress(jobs.size());
    for (const JobLine& job : jobs) {
      ++totals.jobs;
      if (!RunOne(job, totals)) ++totals.failedJobs;
      progress.Step(static_cast<size_t>(totals.jobs));
    }
    progress.Clear();
    return totals;
  }

 private:
  std::string Where(const JobLine& job) const {
    return job.line ? o_.jobs + ":" + std::to_string(job.line) + ": " : std::string();
  }

  bool RunOne(const JobLine& job, Totals& totals) {
    if (!job.error.empty()) {
      Say(Where(job) + job.error + "; nothing written for this job", true);
      return false;
    }
    schema_.Saves = {};
    schema_.SetInputs(job.inputs);
    if (o_.kind == Kind::kWalls) schema_.MakeWalls();
    if (o_.kind == Kind::kHouse) schema_.MakeHouse(house_);
    if (o_.kind == Kind::kHouses) schema_.MakeHouses();
    const BatchSaveCount saves = schema_.Saves;
    totals.written += saves.written;
    totals.failed += saves.failed;
    if (saves.failed > 0)
      Say(Where(job) + std::to_string(saves.failed) + " file(s) could not be written under " +
              Shown(folder_ + "result\\"), true);
    else if (saves.written == 0)
      Say(Where(job) + "no file made: check the templates in " + Shown(folder_ + "sources\\"), true);
    return saves.failed == 0 && saves.written > 0;
  }

  const Options& o_;
  const std::string folder_;
  std::string house_;
  BatchSchema schema_;
};

// The folder of the program file, where the window finds its templates.
std::string OwnFolder() {
#ifdef _WIN32
  return toolkit::ProgramFolder();
#else
  return ProgramPath(std::filesystem::read_symlink("/proc/self/exe").parent_path().u8string(), "folder");
#endif
}

int Check(const Options& o) {
  std::string folder = o.folder.empty() ? OwnFolder() : ProgramPath(o.folder, "folder");
  if (folder.back() != '\\') folder += '\\';
  const TemplateCheck check = CheckTemplates(folder);
  if (!check.listed) throw UsageError{"cannot read the template folder " + Shown(folder + "sources\\")};
  std::string shown = o.folder.empty() ? Shown(folder) : o.folder;
  if (shown.back() != '/' && shown.back() != '\\') shown += Shown("\\");
  size_t files = 0;
  for (size_t i = 0; i < check.problems.size(); ++i) {
    Say(ProblemLine(check.problems[i], shown));
    files += i == 0 || check.problems[i].path != check.problems[i - 1].path;
  }
  auto count = [](size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
  const size_t n = check.problems.size();
  Say((n == 0 ? std::string("no problems") : count(n, "problem") + " in " + count(files, "file")) + "; " +
      count(size_t(check.walls + check.houses), "template") + " checked (" + count(size_t(check.walls), "wall") +
      ", " + count(size_t(check.houses), "house") + ")");
  return n == 0 ? 0 : 1;
}

int Main(const std::vector<std::string>& args) {
  const Options o = Parse(args);
  if (o.help) {
    toolkit::WriteOut(toolkit::Cp1251ToUtf8(kHelp));  // the literal is cp1251, as every one
    return 0;
  }
  if (o.check) return Check(o);
  std::string folder = ProgramPath(o.folder, "folder");
  if (folder.back() != '\\') folder += '\\';
  toolkit::SetProgramFolder(folder);
  const std::vector<JobLine> jobs = ReadJobs(o);
  Batch batch(o, folder);
  SwitchDispatchOn();  // as the window does once its schema is built
  batch.CheckSources();
  const Totals t = batch.Run(jobs);
  SwitchDispatchOff();
  Say("jobs: " + std::to_string(t.jobs) + " (" + std::to_string(t.failedJobs) + " failed), files written: " +
      std::to_string(t.written) + ", files failed: " + std::to_string(t.failed));
  return t.failedJobs == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Main(toolkit::Arguments(argc, argv));
  } catch (const UsageError& e) {
    Say("ostrel-batch: " + e.message + e.hint, true);
    return 2;
  }
}
