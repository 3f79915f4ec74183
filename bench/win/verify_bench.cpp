// The signature check of a downloaded update (TKestoSignature: SHA-256 of the
// file and ECDSA P-256 through CNG); bench/verify.sh runs it on a 10 MiB
// archive beside sha256sum of the same file.
//   verify_bench.exe ARCHIVE SIGNATURE KEYFILE RUNS  → prints the median in ms
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "components/net/signature.h"
#include "runtime/dispatch.h"
#include "toolkit/file_bytes.h"

namespace {

struct Count {
  int n = 0;
  void In(TData&, uint16_t) { ++n; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) return 2;
  std::string signature, key;
  if (!toolkit::ReadFileBytes(argv[2], signature) || !toolkit::ReadFileBytes(argv[3], key)) return 2;
  TKestoSignature check;
  check.Key = key;
  check.FileName = argv[1];
  check.Name = "upd1.zip";
  Count verified;
  check.Verified = Link<&Count::In>(&verified);
  SwitchDispatchOn();
  const int runs = std::max(1, atoi(argv[4]));
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    TData value = StringData(signature);  // the .sig as it arrived
    FireEvent(Link<&TKestoSignature::Verify>(&check), value);
    QueryPerformanceCounter(&end);
    times.push_back(double(end.QuadPart - begin.QuadPart) * 1000 / double(frequency.QuadPart));
  }
  if (verified.n != runs) return 1;
  std::sort(times.begin(), times.end());
  std::printf("%.1f\n", times[times.size() / 2]);
}
