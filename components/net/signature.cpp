#include "components/net/signature.h"

#include "components/net/signed_update.h"
#include "runtime/dispatch.h"
#include "runtime/pull.h"
#include "toolkit/signature_win.h"
#include "toolkit/stream.h"

namespace {

// The signature's bytes; anything longer than a signature is not read
// further, whatever its size.
std::string SignatureBytes(const TData& value) {
  if (value.Type() == dtString) return value.StrValue;
  if (value.Type() != dtStream || !value.Pointer) return std::string();
  TStream& stream = *static_cast<TStream*>(value.Pointer);
  if (stream.Size() > signed_update::kSignatureSize) return std::string(signed_update::kSignatureSize + 1, '\0');
  return toolkit::ReadAllBytes(stream);
}

}  // namespace

void TKestoSignature::Verify(TData& data, uint16_t) {
  const std::string file = PullString(data, FileNameSource, FileName);
  const std::string name = PullString(data, NameSource, Name);
  const std::string signature = SignatureBytes(PullValue(data, SignatureSource, nullptr));
  std::string point;
  if (!signed_update::ParseKey(Key, point)) return ForwardInteger(data, Refused, kNoKey);
  if (signature.size() != signed_update::kSignatureSize) return ForwardInteger(data, Refused, kMalformed);
  toolkit::TSha256 hash;
  const std::string head = signed_update::MessageHead(name);
  hash.Add(head.data(), head.size());
  std::string digest;
  if (!hash.AddFile(file) || !hash.Finish(digest)) return ForwardInteger(data, Refused, kUnreadable);
  if (!toolkit::VerifyP256(point, digest, signature)) return ForwardInteger(data, Refused, kWrongSignature);
  ForwardNull(data, Verified);
}
