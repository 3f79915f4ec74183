// What a signed update is, for the program that checks it and for
// ostrel-publish, which makes it. Platform-neutral.
//
// The publisher's key, as the build setting OSTREL_UPDATE_KEY takes it and
// "ostrel-publish new-key" prints it: one line, "ecdsa-p256:" followed by
// 128 lowercase hexadecimal digits, the X and then the Y coordinate of the
// public point on the curve P-256, 32 bytes each, most significant first.
//
// upd<N>.zip.sig, beside upd<N>.zip on the server: exactly 64 bytes, r and
// then s of the ECDSA P-256 signature, 32 bytes each, most significant
// first (the form the system's CNG takes, no DER wrapping).
//
// What is signed: SHA-256 over the archive's name as published ("upd5.zip"),
// one zero byte, then the archive's bytes. The name is signed along with the
// bytes so that nobody can serve an earlier update as the newest one: it
// would be installed over newer data and record a version nobody published.
#pragma once
#include <cstddef>
#include <string>

namespace signed_update {

constexpr char kKeyPrefix[] = "ecdsa-p256:";
constexpr size_t kPointSize = 64;      // X and Y
constexpr size_t kSignatureSize = 64;  // r and s
constexpr size_t kDigestSize = 32;

// The 64 bytes of the point in a key line; false for anything but the exact
// form above (surrounding blanks are allowed).
bool ParseKey(const std::string& line, std::string& point);
std::string KeyLine(const std::string& point);

// The archive's name as the server publishes it, and the bytes hashed
// before the archive's own.
std::string ArchiveName(int version);
std::string MessageHead(const std::string& archiveName);

}  // namespace signed_update
