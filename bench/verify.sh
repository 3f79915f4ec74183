#!/usr/bin/env bash
# The signature check of a 10 MiB update archive (verify_bench.exe under
# Wine: SHA-256 and ECDSA P-256 through CNG) beside sha256sum hashing the
# same file in the same run. The archive is made and signed by
# ostrel-publish with the tests' key.
#   RUNS=9 bench/verify.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
RUNS="${RUNS:-5}"
ninja -C "$BUILD/host" ostrel-publish >/dev/null
ninja -C "$BUILD/win" verify_bench >/dev/null

WORK="$(mktemp -d /tmp/ostrel-verify-bench-XXXXXX)"
mkdir -p "$WORK/data/models"
for i in $(seq 300); do  # incompressible, so the archive is about 10 MiB; data, not templates
  head -c 35000 /dev/urandom >"$WORK/data/models/t$i.msh"
done
printf 'bench\n' >"$WORK/news.txt"
"$BUILD/host/publish/ostrel-publish" make --data "$WORK/data" --version 1 --news "$WORK/news.txt" \
  --key "$ROOT/tests/keys/test-update-key.pem" --out "$WORK/out" >/dev/null
ensure_display
start_wine
trap 'rm -rf "$WORK"; stop_wine; stop_display' EXIT

times=()
for _ in $(seq "$RUNS"); do
  start=$(date +%s.%N)
  sha256sum "$WORK/out/upd1.zip" >/dev/null
  times+=("$(awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN {print a - b}')")
done
base_ms="$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]*1000}')"
wine "$BUILD/win/bench/win/verify_bench.exe" "Z:$WORK/out/upd1.zip" "Z:$WORK/out/upd1.zip.sig" \
  "Z:$ROOT/tests/keys/test-update-key.pub" "$RUNS" </dev/null >"$WORK/result" 2>/dev/null
ostrel_ms="$(tr -d '\r' <"$WORK/result")"
echo "signature check of a $(du -k "$WORK/out/upd1.zip" | cut -f1) KiB archive, median of $RUNS runs"
printf '%-24s %9s ms  1.00 x\n' "sha256sum" "$base_ms"
printf '%-24s %9s ms  %s\n' "Ostrel, signature check" "$ostrel_ms" "$(awk -v a="$ostrel_ms" -v b="$base_ms" 'BEGIN {printf "%.2f x", a / b}')"
