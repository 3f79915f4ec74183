// SHA-256 and the verification of ECDSA P-256 signatures through the
// system's own cryptography (CNG, bcrypt.dll). Under Wine, bcrypt reaches
// the curve through GnuTLS (libgnutls30). Names are cp1251 bytes.
#pragma once
#include <windows.h>
#include <bcrypt.h>

#include <cstddef>
#include <string>

namespace toolkit {

// A digest fed in pieces; a failed step makes Finish answer false.
class TSha256 {
 public:
  TSha256();
  ~TSha256();
  TSha256(const TSha256&) = delete;
  TSha256& operator=(const TSha256&) = delete;

  void Add(const void* data, size_t size);
  // Adds the whole file, read in chunks; false when it cannot be read.
  bool AddFile(const std::string& name);
  // The 32 bytes; false when any step failed.
  bool Finish(std::string& digest);

 private:
  BCRYPT_ALG_HANDLE algorithm_ = nullptr;
  BCRYPT_HASH_HANDLE hash_ = nullptr;
  bool ok_ = false;
};

// True only when signature (r and s, 32 bytes each) signs the 32-byte digest
// under the public point (X and Y, 32 bytes each) on the curve P-256.
bool VerifyP256(const std::string& point, const std::string& digest, const std::string& signature);

}  // namespace toolkit
