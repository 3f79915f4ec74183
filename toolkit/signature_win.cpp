#include "toolkit/signature_win.h"

#include <vector>

#include "toolkit/cp1251_win.h"

namespace toolkit {

namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

constexpr DWORD kChunk = 1 << 20;

// Each handle closed on every way out.
struct Algorithm {
  BCRYPT_ALG_HANDLE handle = nullptr;
  ~Algorithm() {
    if (handle) BCryptCloseAlgorithmProvider(handle, 0);
  }
};
struct Key {
  BCRYPT_KEY_HANDLE handle = nullptr;
  ~Key() {
    if (handle) BCryptDestroyKey(handle);
  }
};
struct File {
  HANDLE handle;
  ~File() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

}  // namespace

TSha256::TSha256() {
  ok_ = Succeeded(BCryptOpenAlgorithmProvider(&algorithm_, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) &&
        Succeeded(BCryptCreateHash(algorithm_, &hash_, nullptr, 0, nullptr, 0, 0));
}

TSha256::~TSha256() {
  if (hash_) BCryptDestroyHash(hash_);
  if (algorithm_) BCryptCloseAlgorithmProvider(algorithm_, 0);
}

void TSha256::Add(const void* data, size_t size) {
  // CNG takes at most a ULONG at a time.
  const auto* bytes = static_cast<const UCHAR*>(data);
  while (ok_ && size > 0) {
    const ULONG part = static_cast<ULONG>(size < kChunk ? size : kChunk);
    ok_ = Succeeded(BCryptHashData(hash_, const_cast<UCHAR*>(bytes), part, 0));
    bytes += part;
    size -= part;
  }
}

bool TSha256::AddFile(const std::string& name) {
  File file{CreateFileW(Widen(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
  if (file.handle == INVALID_HANDLE_VALUE) return false;
  std::vector<char> chunk(kChunk);
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.handle, chunk.data(), kChunk, &n, nullptr)) return false;
    if (n == 0) return true;
    Add(chunk.data(), n);
  }
}

bool TSha256::Finish(std::string& digest) {
  if (!ok_) return false;
  std::string out(32, '\0');
  ok_ = Succeeded(BCryptFinishHash(hash_, reinterpret_cast<UCHAR*>(&out[0]), 32, 0));
  if (ok_) digest = std::move(out);
  return ok_;
}

bool VerifyP256(const std::string& point, const std::string& digest, const std::string& signature) {
  if (point.size() != 64 || digest.size() != 32 || signature.size() != 64) return false;
  Algorithm algorithm;
  if (!Succeeded(BCryptOpenAlgorithmProvider(&algorithm.handle, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)))
    return false;
  // The public blob: its header, then X and Y.
  std::string blob(sizeof(BCRYPT_ECCKEY_BLOB), '\0');
  auto* header = reinterpret_cast<BCRYPT_ECCKEY_BLOB*>(&blob[0]);
  header->dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
  header->cbKey = 32;
  blob += point;
  Key key;
  if (!Succeeded(BCryptImportKeyPair(algorithm.handle, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key.handle,
                                     reinterpret_cast<UCHAR*>(&blob[0]), static_cast<ULONG>(blob.size()), 0)))
    return false;
  std::string hash = digest, sig = signature;  // CNG takes them unconst
  return Succeeded(BCryptVerifySignature(key.handle, nullptr, reinterpret_cast<UCHAR*>(&hash[0]), 32,
                                         reinterpret_cast<UCHAR*>(&sig[0]), 64, 0));
}

}  // namespace toolkit
