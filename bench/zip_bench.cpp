// Judging the worst archives the limits let through (deepest names, longest
// names, most entries) and the deep one that is refused, in ms per MiB
// beside a plain archive of the same size; then extracting a 50 MiB archive
// of a few hundred files: our library (checks, staging folder, journal,
// flushes and atomic moves included) beside Info-ZIP unzip on the same
// archive in the same run. Usage: zip_bench [runs]
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bszip/bszip.h"

namespace {

namespace fs = std::filesystem;

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put64(std::string& out, uint64_t v) {
  Put32(out, static_cast<uint32_t>(v));
  Put32(out, static_cast<uint32_t>(v >> 32));
}

std::string Deflate(const std::string& data) {
  z_stream z = {};
  deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, data.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// Local headers and data, then the central directory and its end record.
class ZipWriter {
 public:
  void Add(const std::string& name, const std::string& data, bool deflate) {
    const std::string payload = deflate ? Deflate(data) : data;
    const uint32_t crc = crc32_z(0, reinterpret_cast<const Bytef*>(data.data()), data.size());
    const uint32_t offset = static_cast<uint32_t>(archive_.size());
    std::string common;
    Put16(common, 0);                // flags
    Put16(common, deflate ? 8 : 0);  // method
    Put32(common, 0x58B16000);       // time, date
    Put32(common, crc);
    Put32(common, static_cast<uint32_t>(payload.size()));
    Put32(common, static_cast<uint32_t>(data.size()));
    Put16(common, static_cast<uint32_t>(name.size()));
    Put16(common, 0);  // extra
    Put32(archive_, 0x04034b50);
    Put16(archive_, 20);
    archive_ += common + name + payload;
    Put32(directory_, 0x02014b50);
    Put16(directory_, 20);
    Put16(directory_, 20);
    directory_ += common;
    Put16(directory_, 0);  // comment
    Put16(directory_, 0);  // disk
    Put16(directory_, 0);  // internal attributes
    Put32(directory_, 0);  // external attributes
    Put32(directory_, offset);
    directory_ += name;
    ++files;
    inflated += data.size();
  }
  size_t Size() const { return archive_.size() + directory_.size() + 22; }
  std::string Finish() {
    const uint32_t start = static_cast<uint32_t>(archive_.size());
    std::string archive = archive_ + directory_;
    const bool zip64 = files >= 0xFFFF;  // the count needs the ZIP64 end record
    if (zip64) {
      const uint64_t record = archive.size();
      Put32(archive, 0x06064b50);
      Put64(archive, 44);
      Put32(archive, 45 | 45 << 16);  // made by, needed
      Put64(archive, 0);               // disks
      Put64(archive, files);
      Put64(archive, files);
      Put64(archive, directory_.size());
      Put64(archive, start);
      Put32(archive, 0x07064b50);
      Put32(archive, 0);
      Put64(archive, record);
      Put32(archive, 1);
    }
    Put32(archive, 0x06054b50);
    Put32(archive, 0);
    Put16(archive, zip64 ? 0xFFFF : static_cast<uint32_t>(files));
    Put16(archive, zip64 ? 0xFFFF : static_cast<uint32_t>(files));
    Put32(archive, static_cast<uint32_t>(directory_.size()));
    Put32(archive, start);
    Put16(archive, 0);
    return archive;
  }
  size_t files = 0, inflated = 0;

 private:
  std::string archive_, directory_;
};

// Text from a vocabulary (compresses about 2.5:1) and a few noise files
// (stored), in folders, until the archive holds `bytes`: roughly what a data
// update carries, only more.
ZipWriter Plain(size_t bytes) {
  std::mt19937 random(7);
  std::vector<std::string> words;
  for (int i = 0; i < 2000; ++i) {
    std::string w;
    for (int n = 2 + random() % 8; n > 0; --n) w += static_cast<char>('a' + random() % 26);
    words.push_back(w);
  }
  ZipWriter zip;
  for (int i = 0; zip.Size() < bytes; ++i) {
    const bool noise = i % 16 == 0;
    std::string data;
    const size_t size = noise ? 700 * 1024 : 80 * 1024 + random() % (300 * 1024);
    while (data.size() < size) {
      if (noise)
        data += static_cast<char>(random());
      else
        data += words[random() % words.size()] + (random() % 12 ? " " : "\r\n");
    }
    zip.Add("data/set" + std::to_string(i % 8) + "/file" + std::to_string(i) + ".txt", data, !noise);
  }
  return zip;
}

std::string Numbered(size_t i, size_t width, char fill) {
  std::string n = std::to_string(i);
  return n + std::string(width - n.size(), fill);
}

// The worst archives the limits let through, and the one the issue began
// with: empty stored entries, nothing to inflate, everything to judge.
struct Worst {
  const char* name;
  ZipWriter zip;
};

std::vector<Worst> WorstArchives() {
  std::vector<Worst> all;
  ZipWriter deep;  // 1024 characters in 32 parts, each entry 31 new folders
  for (size_t i = 0; i < 8192; ++i) {
    std::string name = Numbered(i, 31, 'd') + "/";
    for (int level = 1; level < 31; ++level) name += std::string(31, 'd') + "/";
    deep.Add(name + std::string(32, 'n'), "", false);
  }
  all.push_back({"deepest names (8 192)", std::move(deep)});
  ZipWriter longest;  // 1023 characters in parts of 255, all in one folder
  const std::string folders = std::string(255, 'L') + "/" + std::string(255, 'L') + "/" + std::string(255, 'L') + "/";
  for (size_t i = 0; i < 16384; ++i) longest.Add(folders + Numbered(i, 255, 'n'), "", false);
  all.push_back({"longest names (16 384)", std::move(longest)});
  ZipWriter many;  // as many entries as there may be
  for (size_t i = 0; i + 1 < 65535; ++i) many.Add("m/" + std::to_string(i % 256) + "/" + std::to_string(i), "", false);
  all.push_back({"65 535 entries", std::move(many)});
  std::string deepest;  // the issue's: one name 16 000 folders deep
  for (int i = 0; i < 16000; ++i) deepest += "a/";
  ZipWriter refused;
  refused.Add(deepest + "x", "", false);
  all.push_back({"16 000 folders deep", std::move(refused)});
  return all;
}
double Seconds(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

double RunUnzip(const fs::path& archive, const fs::path& destination) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execlp("unzip", "unzip", "-o", "-q", archive.c_str(), "-d", destination.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  const double seconds = Seconds(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "unzip failed (is Debian's unzip installed?)\n");
    std::exit(1);
  }
  return seconds;
}

double RunBszip(const fs::path& archive, const fs::path& destination) {
  const auto start = std::chrono::steady_clock::now();
  int32_t code = zOpenZipFile(archive.c_str());
  if (code == 0) code = zExtractAll(destination.c_str(), "", 1, 1, 1, 0, nullptr);
  if (code == 0) code = zCloseZipFile();
  const double seconds = Seconds(start);
  if (code != 0) {
    std::fprintf(stderr, "BSZIP failed with code %d\n", code);
    std::exit(1);
  }
  return seconds;
}

// Both tools must have written the same files.
bool SameTrees(const fs::path& a, const fs::path& b) {
  size_t count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(a)) {
    if (!entry.is_regular_file()) continue;
    ++count;
    std::ifstream x(entry.path(), std::ios::binary), y(b / fs::relative(entry.path(), a), std::ios::binary);
    if (!y || !std::equal(std::istreambuf_iterator<char>(x), std::istreambuf_iterator<char>(),
                          std::istreambuf_iterator<char>(y)))
      return false;
  }
  size_t other = 0;
  for (const auto& entry : fs::recursive_directory_iterator(b)) other += entry.is_regular_file();
  return count == other;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

// Open, judge and close, refused at the last entry: a file where the
// destination holds a folder. Everything is looked at, nothing written.
double Judge(const fs::path& archive, const fs::path& destination, int32_t& code) {
  const auto start = std::chrono::steady_clock::now();
  code = zOpenZipFile(archive.c_str());
  if (code == 0) code = zExtractAll(destination.c_str(), "", 1, 1, 1, 0, nullptr);
  zCloseZipFile();
  return Seconds(start);
}

void JudgeWorst(const fs::path& root, int runs) {
  std::printf("judging (open, every check, refused by its last entry) in ms per MiB, beside a plain archive of "
              "the same size; %d runs each, median\n", runs);
  const fs::path destination = root / "judged";
  fs::create_directories(destination / "zz-blocker");
  for (Worst& worst : WorstArchives()) {
    ZipWriter plain = Plain(worst.zip.Size());
    worst.zip.Add("zz-blocker", "", false);
    plain.Add("zz-blocker", "", false);
    const std::string bytes[2] = {worst.zip.Finish(), plain.Finish()};
    double msPerMib[2];
    int32_t codes[2];
    for (int which = 0; which < 2; ++which) {
      const fs::path archive = root / ("judged" + std::to_string(which) + ".zip");
      std::ofstream(archive, std::ios::binary).write(bytes[which].data(), static_cast<std::streamsize>(bytes[which].size()));
      std::vector<double> times;
      for (int run = 0; run < runs; ++run) times.push_back(Judge(archive, destination, codes[which]));
      msPerMib[which] = Median(times) * 1000 / (bytes[which].size() / 1048576.0);
      fs::remove(archive);
    }
    std::printf("%-24s %6.1f MiB  code %2d  %7.2f ms/MiB   plain %6.1f MiB  code %2d  %7.2f ms/MiB   ratio %.2fx\n",
                worst.name, bytes[0].size() / 1048576.0, codes[0], msPerMib[0], bytes[1].size() / 1048576.0,
                codes[1], msPerMib[1], msPerMib[0] / msPerMib[1]);
  }
}

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path root = fs::temp_directory_path() / ("bszip-bench-" + std::to_string(getpid()));
  fs::create_directories(root);
  JudgeWorst(root, runs);
  ZipWriter zip = Plain(50 << 20);
  const size_t files = zip.files, inflated = zip.inflated;
  const std::string bytes = zip.Finish();
  const fs::path archive = root / "bench.zip";
  std::ofstream(archive, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::printf("extraction (journal included): %.1f MiB, %zu files, %.1f MiB inflated; %d runs each, alternating\n",
              bytes.size() / 1048576.0, files, inflated / 1048576.0, runs);

  // Both into a fresh folder each run, and once into a full one (an update
  // over the previous data: every file replaced). Warm-up runs first.
  std::vector<double> unzipFresh, bszipFresh, unzipOver, bszipOver;
  for (int run = -1; run < runs; ++run) {
    const fs::path u = root / ("u" + std::to_string(run)), b = root / ("b" + std::to_string(run));
    const double tu = RunUnzip(archive, u), tb = RunBszip(archive, b);
    const double ou = RunUnzip(archive, u), ob = RunBszip(archive, b);
    if (run < 0 && !SameTrees(u, b)) {
      std::fprintf(stderr, "unzip and BSZIP wrote different files\n");
      return 1;
    }
    if (run >= 0) {
      unzipFresh.push_back(tu), bszipFresh.push_back(tb);
      unzipOver.push_back(ou), bszipOver.push_back(ob);
    }
    fs::remove_all(u);
    fs::remove_all(b);
  }
  const double mib = inflated / 1048576.0;
  auto line = [&](const char* what, double unzip, double ours) {
    std::printf("%-28s unzip %6.3f s (%5.0f MiB/s)   bszip %6.3f s (%5.0f MiB/s)   speed vs unzip %.2fx\n", what,
                unzip, mib / unzip, ours, mib / ours, unzip / ours);
  };
  line("into an empty folder", Median(unzipFresh), Median(bszipFresh));
  line("over the same files", Median(unzipOver), Median(bszipOver));
  fs::remove_all(root);
  return 0;
}
