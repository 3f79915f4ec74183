// ostrel-batch: the window's wall and house generation from the command
// line, many colours in one run, through the very schema pieces the window
// uses (schema/batch_schema.h).
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
    "  --help            this text\n"
    "\n"
    "Exit code: 0 when every file of every job was written, 1 when a job or a\n"
    "file failed, 2 when the command line or a folder or file it names is wrong,\n"
    "or when a template's name has letters outside cp1251 (nothing is written then).\n"
    "\n"
    "Examples:\n"
    "  ostrel-batch --folder ostrel --floors 5 --en \"dark red\" --ru тёмно-красный --colour1 \"128 0 0\"\n"
    "  ostrel-batch --folder ostrel --houses --jobs colours.csv\n";

enum class Kind { kWalls, kHouse, kHouses };

struct Options {
  std::string folder, house, jobs;
  Kind kind = Kind::kWalls;
  int kinds = 0;
  JobFields fields;
  bool typed = false;  // any of --floors .. --colour2
  bool help = false;
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

int Main(const std::vector<std::string>& args) {
  const Options o = Parse(args);
  if (o.help) {
    toolkit::WriteOut(toolkit::Cp1251ToUtf8(kHelp));  // the literal is cp1251, as every one
    return 0;
  }
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
