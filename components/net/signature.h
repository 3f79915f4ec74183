// Checks the publisher's signature of a downloaded update before anything
// of it is unpacked (formats in components/net/signed_update.h). Data point
// fields carry the suffix "Source" (see components/text/strings.h).
#pragma once
#include <cstdint>
#include <string>

#include "runtime/link.h"

class TKestoSignature {
 public:
  // Why Refused fired.
  enum Refusal : int32_t {
    kNoKey = 1,         // Key is not a key line: nothing can be trusted
    kMalformed = 2,     // the signature is not exactly 64 bytes
    kUnreadable = 3,    // the archive cannot be read
    kWrongSignature = 4,  // made with another key, or over other bytes or another name
  };

  std::string Key;       // the publisher's key line
  std::string FileName;  // default of the data point FileName: the archive on disk
  std::string Name;      // default of the data point Name: the name it was published under
  TKesto_Event Verified;  // no value: the archive is the publisher's
  TKesto_Event Refused;   // Integer: a Refusal
  // Signature: a String or a Stream with the bytes of the .sig file.
  TKesto_Event FileNameSource, NameSource, SignatureSource;

  // Reads FileName (the call's value as fallback), Name, then Signature.
  void Verify(TData& data, uint16_t index);
};
