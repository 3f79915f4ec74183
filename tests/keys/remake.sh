#!/usr/bin/env bash
# Remakes the signed samples with the tests' keys (made once with
# "ostrel-publish new-key"): upd5.zip of data/update-data, its signature,
# and a signature of the same archive by the other key; and the sample
# update data/update that scripts/run serves, version 2.
set -euo pipefail
cd "$(dirname "$0")"
PUBLISH="${1:-../../build/host/publish/ostrel-publish}"
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
printf 'Sample\n' >"$OUT/news.txt"
"$PUBLISH" make --data ../../data/update-data --version 5 --news "$OUT/news.txt" --key other-update-key.pem --out "$OUT/other" >/dev/null
"$PUBLISH" make --data ../../data/update-data --version 5 --news "$OUT/news.txt" --key test-update-key.pem --out "$OUT/test" >/dev/null
cp "$OUT/test/upd5.zip" "$OUT/test/upd5.zip.sig" .
cmp "$OUT/test/upd5.zip" "$OUT/other/upd5.zip"  # the same archive, signed twice
cp "$OUT/other/upd5.zip.sig" upd5.zip.other-key.sig
"$PUBLISH" make --data ../../data/update-data --version 2 --news ../../data/update-news.txt --key test-update-key.pem --out ../../data/update >/dev/null
