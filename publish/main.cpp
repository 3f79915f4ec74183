// ostrel-publish: makes the publisher's key, and a signed update folder for
// the update server that every Ostrel will accept. Runs on the server side
// (Linux); formats in components/net/signed_update.h and publish/keys.h.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <vector>

#include "batch/check.h"
#include "components/net/signed_update.h"
#include "publish/archive.h"
#include "publish/keys.h"
#include "publish/news.h"
#include "toolkit/system.h"

namespace {

namespace fs = std::filesystem;
using std::string;

const char kHelp[] =
    "Usage: ostrel-publish new-key KEYFILE\n"
    "       ostrel-publish make --data DIR --version N --news NEWS.txt --key KEYFILE --out SERVERDIR\n"
    "\n"
    "new-key  makes a key pair into KEYFILE (never over an existing file; keep it\n"
    "         private) and prints the public key line for the build setting\n"
    "         OSTREL_UPDATE_KEY.\n"
    "make     writes into SERVERDIR, the folder the server publishes as\n"
    "         /Dalvoro/Ostrel/updates/v_1_0/: upd<N>.zip (every file of DIR, laid\n"
    "         out as in the program folder), upd<N>.zip.sig, info.txt (NEWS.txt,\n"
    "         UTF-8, as cp1251) and, last, nowupdate.txt. Nothing is written when\n"
    "         the update has a problem: each is listed, the templates' as\n"
    "         \"ostrel-batch --check\" lists them.\n"
    "\n"
    "Exit code: 0 done, 1 the update has problems, 2 the command line or a file\n"
    "it names is wrong.\n";

struct UsageError {
  string message;
};

std::map<string, string> Options(const std::vector<string>& args) {
  std::map<string, string> options;
  for (size_t i = 2; i < args.size(); i += 2) {
    const string& name = args[i];
    if (name != "--data" && name != "--version" && name != "--news" && name != "--key" && name != "--out")
      throw UsageError{"unknown option " + name};
    if (i + 1 >= args.size()) throw UsageError{name + " needs a value"};
    options[name.substr(2)] = args[i + 1];
  }
  for (const char* needed : {"data", "version", "news", "key", "out"})
    if (options[needed].empty()) throw UsageError{string("--") + needed + " is required"};
  return options;
}

// 1..2147483647, the range of the version Ostrel records.
int Version(const string& text) {
  if (text.empty() || text.size() > 10 || text[0] == '0' || text.find_first_not_of("0123456789") != string::npos ||
      std::stoll(text) > 2147483647)
    throw UsageError{"--version \"" + text + "\" is not a number from 1 to 2147483647"};
  return std::stoi(text);
}

bool ReadAll(const string& path, string& bytes) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), {});
  return !in.bad();
}

// The version the folder announces now; 0 when none.
long long Announced(const fs::path& out) {
  string bytes;
  if (!ReadAll((out / "nowupdate.txt").string(), bytes)) return 0;
  const size_t digits = bytes.find_first_not_of("0123456789");
  const string number = bytes.substr(0, std::min<size_t>(digits, 10));
  return number.empty() ? 0 : std::stoll(number);
}

// The templates as the window will read them once the update is unpacked
// over the program folder, which the data folder is laid out like. An update
// need not bring templates: one without any is no problem.
void CheckTemplatesOf(const string& data, std::vector<string>& problems) {
  std::error_code failed;
  const fs::path absolute = fs::absolute(fs::u8path(data), failed).lexically_normal();
  string folder;
  if (failed || !toolkit::ProgramPath(absolute.u8string(), folder))
    throw UsageError{"--data \"" + data + "\" has a character cp1251 lacks in its path, where the templates "
                     "cannot be checked; use a folder named with Latin or Cyrillic letters"};
  if (folder.back() != '\\') folder += '\\';
  for (const TemplateProblem& problem : CheckTemplates(folder).problems)
    if (problem.code != "no-templates") problems.push_back(ProblemLine(problem, ""));
}

// Written beside its place, flushed, then moved in: a server never serves a
// half-written file.
bool Publish(const fs::path& path, const string& bytes) {
  const string temporary = path.string() + ".new";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && fsync(fd) == 0;
  if (close(fd) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

int NewKey(const std::vector<string>& args) {
  if (args.size() != 3) throw UsageError{"new-key takes one KEYFILE"};
  string line, error;
  if (!publish::NewKey(args[2], line, error)) throw UsageError{error};
  std::cout << line << "\n";
  return 0;
}

int Make(const std::vector<string>& args) {
  std::map<string, string> o = Options(args);
  const int version = Version(o["version"]);
  publish::SigningKey key;
  string error, news, info;
  if (!key.Load(o["key"], error)) throw UsageError{error};
  if (!ReadAll(o["news"], news)) throw UsageError{"cannot read the news file " + o["news"]};

  std::vector<string> problems;
  if (!publish::NewsToCp1251(news, info, error)) problems.push_back(o["news"] + ": " + error);
  const fs::path out = fs::u8path(o["out"]);
  if (Announced(out) > version)
    problems.push_back(o["out"] + ": announces version " + std::to_string(Announced(out)) +
                       " already; clients at that version would never take " + std::to_string(version));
  const std::vector<publish::DataFile> files = publish::ListData(o["data"], problems);
  // Whatever else is wrong, the files that can be packed are packed and
  // checked, so that one run lists every problem.
  string zip;
  if (!files.empty() && !publish::BuildArchive(files, zip, error)) problems.push_back("the archive: " + error);
  if (!zip.empty())
    for (const string& problem : publish::CheckArchive(zip)) problems.push_back(problem);
  CheckTemplatesOf(o["data"], problems);
  if (!problems.empty()) {
    std::cerr << "ostrel-publish: nothing written; the update has these problems:\n";
    for (const string& problem : problems) std::cerr << "  " << problem << "\n";
    return 1;
  }

  const string name = signed_update::ArchiveName(version);
  const string head = signed_update::MessageHead(name);
  string signature;
  if (!key.Sign(head, zip, signature) || !publish::Verify(key.KeyLine(), head, zip, signature))
    throw UsageError{"the archive could not be signed with " + o["key"]};
  std::error_code failed;
  fs::create_directories(out, failed);
  // The version is announced last, when everything it names is in place.
  if (!Publish(out / name, zip) || !Publish(out / (name + ".sig"), signature) || !Publish(out / "info.txt", info) ||
      !Publish(out / "nowupdate.txt", std::to_string(version) + "\r\n"))
    throw UsageError{"cannot write into " + o["out"]};
  std::cout << name << ": " << zip.size() << " bytes, files: " << files.size() << ", signed for " << key.KeyLine()
            << "\n" << o["out"] << " announces version " << version << "\n";
  return 0;
}

int Main(const std::vector<string>& args) {
  const string command = args.size() > 1 ? args[1] : "";
  if (command == "--help" || command == "-h") {
    std::cout << kHelp;
    return 0;
  }
  if (command == "new-key") return NewKey(args);
  if (command == "make") return Make(args);
  throw UsageError{command.empty() ? "a command is needed" : "unknown command " + command};
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Main(std::vector<string>(argv, argv + argc));
  } catch (const UsageError& e) {
    std::cerr << "ostrel-publish: " << e.message << " (see --help)\n";
    return 2;
  }
}
