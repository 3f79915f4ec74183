// The signature check over the sample update that ostrel-publish signed with
// the tests' key (tests/keys), as published and spoiled the ways a network or
// a hostile server can spoil it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "components/net/signature.h"
#include "tests/core/probes.h"
#include "toolkit/cp1251_win.h"
#include "toolkit/file_bytes.h"
#include "toolkit/stream.h"
#include "toolkit/system.h"

namespace {

using std::string;
using Refusal = TKestoSignature::Refusal;

string Keys(const string& name) {
  string path = string("Z:") + OSTREL_TEST_KEYS + "/" + name;
  std::replace(path.begin(), path.end(), '/', '\\');
  string bytes;
  EXPECT_TRUE(toolkit::ReadFileBytes(path, bytes)) << path;
  return bytes;
}

// What arrives at the check: the archive on disk, its published name, the
// .sig's bytes (as the download's stream, or as a string) and the build's key.
struct Arrived {
  string archive = Keys("upd5.zip"), name = "upd5.zip", signature = Keys("upd5.zip.sig");
  string key = Keys("test-update-key.pub");
  bool onDisk = true, stream = false;
};

TEST(Signature, OnlyThePublishersArchiveUnderItsOwnNameIsVerified) {
  const struct {
    const char* what;
    std::function<void(Arrived&)> spoil;
    int refusal;  // 0: verified
  } cases[] = {
      {"as published", [](Arrived&) {}, 0},
      {"as published, the signature as the download's stream", [](Arrived& a) { a.stream = true; }, 0},
      {"one byte of the archive changed", [](Arrived& a) { a.archive[a.archive.size() / 2] ^= 1; },
       Refusal::kWrongSignature},
      {"the archive cut short", [](Arrived& a) { a.archive.pop_back(); }, Refusal::kWrongSignature},
      {"signed with another key", [](Arrived& a) { a.signature = Keys("upd5.zip.other-key.sig"); },
       Refusal::kWrongSignature},
      {"served as a newer version", [](Arrived& a) { a.name = "upd6.zip"; }, Refusal::kWrongSignature},
      {"one byte of s changed", [](Arrived& a) { a.signature[40] ^= 1; }, Refusal::kWrongSignature},
      {"r and s zero", [](Arrived& a) { a.signature.assign(64, '\0'); }, Refusal::kWrongSignature},
      {"the signature cut short", [](Arrived& a) { a.signature.pop_back(); }, Refusal::kMalformed},
      {"an empty signature", [](Arrived& a) { a.signature.clear(); }, Refusal::kMalformed},
      {"a signature one byte longer", [](Arrived& a) { a.signature += 'x'; }, Refusal::kMalformed},
      {"an error page as the stream", [](Arrived& a) { a.signature = string(1 << 20, '<'), a.stream = true; },
       Refusal::kMalformed},
      {"no archive on disk", [](Arrived& a) { a.onDisk = false; }, Refusal::kUnreadable},
      {"a key not on the curve", [](Arrived& a) { a.key.replace(11, 64, 64, '0'); }, Refusal::kWrongSignature},
      {"a key in another form", [](Arrived& a) { a.key = "ecdsa-p256:" + a.key.substr(12); }, Refusal::kNoKey},
      {"no key", [](Arrived& a) { a.key.clear(); }, Refusal::kNoKey},
  };
  const string path = toolkit::TempFolder() + "ostrel-signature-test.zip";
  for (const auto& c : cases) {
    Arrived a;
    c.spoil(a);
    DeleteFileW(toolkit::Widen(path).c_str());
    if (a.onDisk) {
      ASSERT_TRUE(toolkit::WriteFileBytes(path, a.archive));
    }
    DispatchOn on;
    TKestoSignature check;
    Probe outcome;  // Verified fires no value, read as 0; Refused its reason
    Source name, signature;
    TMemoryStream stream;
    stream.Write(a.signature.data(), a.signature.size());
    name.answer = StringData(a.name);
    signature.answer = StringData(a.signature);
    if (a.stream) SetStream(signature.answer, &stream);
    check.Key = a.key;
    check.NameSource = Link<&Source::Get>(&name);
    check.SignatureSource = Link<&Source::Get>(&signature);
    check.Verified = check.Refused = Link<&Probe::In>(&outcome);
    TData value = StringData(path);
    FireEvent(Link<&TKestoSignature::Verify>(&check), value);
    ASSERT_EQ(outcome.values.size(), 1u) << c.what;
    EXPECT_EQ(outcome.values[0].Type(), c.refusal ? dtInteger : dtNull) << c.what;
    EXPECT_EQ(outcome.values[0].IntValue, c.refusal) << c.what;
  }
  DeleteFileW(toolkit::Widen(path).c_str());
}

}  // namespace
