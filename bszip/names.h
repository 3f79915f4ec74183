// Entry names: decoding into UTF-8 and the checks that keep every entry a
// plain data file inside the destination. Platform-neutral: the rules are
// those of the Windows file system, applied the same way on every platform.
#pragma once
#include <cstdint>
#include <string>

#include "bszip/codes.h"

namespace bszip {

// The stored bytes of a name as UTF-8 with "/" between the parts: taken as
// UTF-8 when the entry's UTF-8 flag is set (false when they are not valid
// UTF-8), as cp866 otherwise.
bool DecodeName(const std::string& raw, bool utf8Flag, std::string& name);

// The hidden folder inside the destination where an extraction stages its
// files; no entry may name it (in any part, so that neither a path nor a
// flattened name reaches it). It fits 8.3, so the file system makes no
// short alias for it.
constexpr char kStagingName[] = "~bszip";

// kOk or kUnsafeName for a decoded name; a folder entry's name ends in "/".
// Beyond the rules of each part, a name holds at most kMaxNameUnits UTF-16
// units and kMaxNameParts parts.
Code CheckName(const std::string& name);

// True for the file types that run code (the list in bszip.h); name is a
// file name or a path, only its last part counts.
bool IsExecutableName(const std::string& name);

// The name as the file system compares it: letters folded to one case (Latin,
// Greek and Cyrillic; the long s and the dotless i fold to S and I), no
// trailing "/". Two entries with the same key would
// write the same file.
std::string NameKey(const std::string& name);

// The last part of a "/"-separated path.
std::string LastPart(const std::string& path);

}  // namespace bszip
