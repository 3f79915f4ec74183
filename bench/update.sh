#!/usr/bin/env bash
# A data update of a 10 MiB archive of 300 files, from the Yes to the success
# message (update_bench.exe under Wine), beside curl plus unzip fetching and
# unpacking the same archive through the same server in the same run.
#   RUNS=5 bench/update.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
RUNS="${RUNS:-3}"
ninja -C "$BUILD/win" update_bench >/dev/null

WORK="$(mktemp -d /tmp/ostrel-update-bench-XXXXXX)"
mkdir -p "$WORK/server/archive/sources"
printf '1\r\n' >"$WORK/server/version"
printf 'bench' >"$WORK/server/info.txt"
for i in $(seq 300); do  # incompressible, so the archive is about 10 MiB
  head -c 34000 /dev/urandom >"$WORK/server/archive/sources/t$i.wgw"
done
python3 "$ROOT/scripts/update_server.py" "$WORK/server" "$WORK/port" &
for _ in $(seq 100); do [ -f "$WORK/port" ] && break; sleep 0.1; done
PROXY="http://127.0.0.1:$(cat "$WORK/port")"
ensure_display
start_wine
trap 'curl -s "$PROXY/quit" >/dev/null; rm -rf "$WORK"; stop_wine; stop_display' EXIT

URL="http://$(grep -oP 'OSTREL_UPDATE_HOST:STRING=\K.*' "$BUILD/win/CMakeCache.txt")/Dalvoro/Ostrel/updates/v_1_0/upd1.zip"
times=()
for _ in $(seq "$RUNS"); do
  rm -rf "$WORK/unzipped" "$WORK/upd.zip"
  start=$(date +%s.%N)
  curl -s -x "$PROXY" -o "$WORK/upd.zip" "$URL"
  unzip -q -o "$WORK/upd.zip" -d "$WORK/unzipped"
  times+=("$(awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN {print a - b}')")
done
base_ms="$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]*1000}')"
wine "$BUILD/win/bench/win/update_bench.exe" "$PROXY" "$RUNS" </dev/null >"$WORK/result" 2>/dev/null
ostrel_ms="$(tr -d '\r' <"$WORK/result")"
echo "update of a $(du -k "$WORK/upd.zip" | cut -f1) KiB archive of 300 files, median of $RUNS runs"
printf '%-22s %9s ms  1.00 x\n' "curl + unzip" "$base_ms"
printf '%-22s %9s ms  %s\n' "Ostrel, Yes to done" "$ostrel_ms" "$(awk -v a="$ostrel_ms" -v b="$base_ms" 'BEGIN {printf "%.2f x", a / b}')"
