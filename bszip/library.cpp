// The four exported operations over one process-wide open archive.
#include <new>
#include <vector>

#include "bszip/bszip.h"
#include "bszip/extract.h"

namespace {

using namespace bszip;

struct Library {
  std::unique_ptr<MappedFile> file;
  std::vector<Entry> entries;
  bool inCallback = false;  // the library's calls are refused from inside the callback
  int32_t first = 0, second = 0;
} library;

template <class Body>
int32_t Guarded(Body body) {
  if (library.inCallback) return kBusy;
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return kInternal;
  } catch (...) {
    return kInternal;
  }
}

void Release() {
  library.entries.clear();
  library.file.reset();
}

}  // namespace

extern "C" {

BSZIP_API int32_t BSZIP_CALL zOpenZipFile(const char* path) {
  return Guarded([&]() -> int32_t {
    Release();
    if (!path || !*path) return kBadArgument;
    std::unique_ptr<MappedFile> file = MapFile(path);
    if (!file) return kCannotRead;
    std::vector<Entry> entries;
    if (Code c = ReadArchive(file->View(), entries)) return c;
    library.file = std::move(file);
    library.entries = std::move(entries);
    return kOk;
  });
}

BSZIP_API int32_t BSZIP_CALL zExtractAll(const char* destination, const char* text, int32_t keepPaths,
                                         int32_t replace, int32_t createDestination, int32_t testOnly,
                                         BszipProgress progress) {
  return Guarded([&]() -> int32_t {
    if (!library.file) return kNoArchive;
    if (text && *text) return kBadArgument;
    Options options;
    options.keepPaths = keepPaths != 0;
    options.replace = replace != 0;
    options.createDestination = createDestination != 0;
    options.testOnly = testOnly != 0;
    std::unique_ptr<Target> target;
    if (!options.testOnly) {
      if (!destination || !*destination) return kBadArgument;
      target = MakeTarget(destination);
      if (!target) return kCannotWrite;
    }
    library.first = library.second = 0;
    ProgressFunction report = [progress](int32_t done, int32_t total) {
      library.first = done;
      library.second = total;
      if (!progress) return;
      struct Inside {
        Inside() { library.inCallback = true; }
        ~Inside() { library.inCallback = false; }
      } inside;
      progress();
    };
    size_t blocked = kTop;
    const Code code = Extract(library.file->View(), library.entries, target.get(), options, report, &blocked);
    if (code == kCannotWrite && blocked != kTop) {
      library.first = static_cast<int32_t>(blocked);
      library.second = -1;
    }
    return code;
  });
}

BSZIP_API int32_t BSZIP_CALL zCloseZipFile(void) {
  return Guarded([]() -> int32_t {
    if (!library.file) return kNoArchive;
    Release();
    return kOk;
  });
}

BSZIP_API int32_t BSZIP_CALL zGetRunTimeInfo(int32_t* first, int32_t* second) {
  if (first) *first = library.first;
  if (second) *second = library.second;
  return kOk;
}

}  // extern "C"
