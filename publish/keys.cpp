#include "publish/keys.h"

#include <errno.h>
#include <fcntl.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>
#include <openssl/pem.h>
#include <unistd.h>

#include "components/net/signed_update.h"

namespace publish {

namespace {

using Key = std::shared_ptr<EVP_PKEY>;
template <class T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, std::integral_constant<decltype(Free), Free>>;
using Bio = Owned<BIO, BIO_free_all>;
using DigestContext = Owned<EVP_MD_CTX, EVP_MD_CTX_free>;
using KeyContext = Owned<EVP_PKEY_CTX, EVP_PKEY_CTX_free>;
using EcdsaSignature = Owned<ECDSA_SIG, ECDSA_SIG_free>;

Key Own(EVP_PKEY* key) { return Key(key, EVP_PKEY_free); }

// The uncompressed public point without its leading 04: X and Y.
std::string PublicPoint(EVP_PKEY* key) {
  unsigned char encoded[1 + signed_update::kPointSize];
  size_t size = 0;
  if (!EVP_PKEY_get_octet_string_param(key, OSSL_PKEY_PARAM_ENCODED_PUBLIC_KEY, encoded, sizeof encoded, &size) ||
      size != sizeof encoded || encoded[0] != 4)
    return std::string();
  return std::string(reinterpret_cast<char*>(encoded) + 1, signed_update::kPointSize);
}

bool IsP256(EVP_PKEY* key) {
  char group[64];
  size_t size = 0;
  return EVP_PKEY_is_a(key, "EC") && EVP_PKEY_get_group_name(key, group, sizeof group, &size) &&
         std::string(group) == "prime256v1";
}

// Whatever the file holds, no passphrase is asked for.
int NoPassphrase(char*, int, int, void*) { return 0; }

// 0, or the error number.
int WriteNew(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && fsync(fd) == 0;
  if (close(fd) != 0 || !written) {
    unlink(path.c_str());
    return EIO;
  }
  return 0;
}

// r and s as the fixed 64 bytes, from the DER form OpenSSL makes, and back.
std::string RawSignature(const std::string& der) {
  const auto* p = reinterpret_cast<const unsigned char*>(der.data());
  EcdsaSignature sig(d2i_ECDSA_SIG(nullptr, &p, static_cast<long>(der.size())));
  if (!sig) return std::string();
  std::string raw(signed_update::kSignatureSize, '\0');
  auto* out = reinterpret_cast<unsigned char*>(&raw[0]);
  if (BN_bn2binpad(ECDSA_SIG_get0_r(sig.get()), out, 32) != 32 ||
      BN_bn2binpad(ECDSA_SIG_get0_s(sig.get()), out + 32, 32) != 32)
    return std::string();
  return raw;
}

std::string DerSignature(const std::string& raw) {
  const auto* in = reinterpret_cast<const unsigned char*>(raw.data());
  EcdsaSignature sig(ECDSA_SIG_new());
  BIGNUM* r = BN_bin2bn(in, 32, nullptr);
  BIGNUM* s = BN_bin2bn(in + 32, 32, nullptr);
  if (!sig || !r || !s || !ECDSA_SIG_set0(sig.get(), r, s)) {
    BN_free(r);
    BN_free(s);
    return std::string();
  }
  unsigned char* der = nullptr;
  const int size = i2d_ECDSA_SIG(sig.get(), &der);
  if (size <= 0) return std::string();
  std::string out(reinterpret_cast<char*>(der), static_cast<size_t>(size));
  OPENSSL_free(der);
  return out;
}

Key PublicKey(const std::string& keyLine) {
  std::string point;
  if (!signed_update::ParseKey(keyLine, point)) return nullptr;
  const std::string encoded = '\x04' + point;
  OSSL_PARAM params[] = {
      OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, const_cast<char*>("P-256"), 0),
      OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, const_cast<char*>(encoded.data()), encoded.size()),
      OSSL_PARAM_construct_end()};
  KeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  EVP_PKEY* key = nullptr;
  if (!context || EVP_PKEY_fromdata_init(context.get()) <= 0 ||
      EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, params) <= 0)
    return nullptr;
  return Own(key);
}

}  // namespace

bool NewKey(const std::string& path, std::string& keyLine, std::string& error) {
  Key key = Own(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
  Bio pem(BIO_new(BIO_s_mem()));
  if (!key || !pem || !PEM_write_bio_PKCS8PrivateKey(pem.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr)) {
    error = "the key pair could not be made";
    return false;
  }
  char* bytes = nullptr;
  const long size = BIO_get_mem_data(pem.get(), &bytes);
  if (const int failed = WriteNew(path, std::string(bytes, static_cast<size_t>(size)))) {
    error = failed == EEXIST ? path + " exists already; a key file is never replaced" : "cannot write " + path;
    return false;
  }
  keyLine = signed_update::KeyLine(PublicPoint(key.get()));
  return true;
}

bool SigningKey::Load(const std::string& path, std::string& error) {
  Bio file(BIO_new_file(path.c_str(), "r"));
  if (!file) {
    error = "cannot read the key file " + path;
    return false;
  }
  Key key = Own(PEM_read_bio_PrivateKey(file.get(), nullptr, &NoPassphrase, nullptr));
  if (!key || !IsP256(key.get())) {
    error = path + " holds no unencrypted P-256 private key (make one with new-key)";
    return false;
  }
  keyLine_ = signed_update::KeyLine(PublicPoint(key.get()));
  key_ = std::move(key);
  return true;
}

bool SigningKey::Sign(const std::string& head, const std::string& body, std::string& signature) const {
  DigestContext context(EVP_MD_CTX_new());
  size_t size = 0;
  if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_.get()) <= 0 ||
      EVP_DigestSignUpdate(context.get(), head.data(), head.size()) <= 0 ||
      EVP_DigestSignUpdate(context.get(), body.data(), body.size()) <= 0 ||
      EVP_DigestSignFinal(context.get(), nullptr, &size) <= 0)
    return false;
  std::string der(size, '\0');
  if (EVP_DigestSignFinal(context.get(), reinterpret_cast<unsigned char*>(&der[0]), &size) <= 0) return false;
  der.resize(size);
  signature = RawSignature(der);
  return !signature.empty();
}

bool Verify(const std::string& keyLine, const std::string& head, const std::string& body,
            const std::string& signature) {
  Key key = PublicKey(keyLine);
  if (!key || signature.size() != signed_update::kSignatureSize) return false;
  const std::string der = DerSignature(signature);
  DigestContext context(EVP_MD_CTX_new());
  return !der.empty() && context &&
         EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) > 0 &&
         EVP_DigestVerifyUpdate(context.get(), head.data(), head.size()) > 0 &&
         EVP_DigestVerifyUpdate(context.get(), body.data(), body.size()) > 0 &&
         EVP_DigestVerifyFinal(context.get(), reinterpret_cast<const unsigned char*>(der.data()), der.size()) == 1;
}

}  // namespace publish
