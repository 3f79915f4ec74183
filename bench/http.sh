#!/usr/bin/env bash
# The HTTP download component beside curl: one 10 MiB file over loopback
# from the test server, fetched by curl and by bench/http_bench.cpp (under
# Wine) in the same run. Prints the median times and their ratios to curl.
#   RUNS=9 bench/http.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
RUNS="${RUNS:-5}"
SIZE=$((10 * 1024 * 1024))

cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$BUILD/win" http_bench >/dev/null

PORT_FILE="$(mktemp -u /tmp/ostrel-bench-XXXXXX.port)"
# The endless body as fast as it goes.
OSTREL_CHUNK_PAUSE=0 python3 "$ROOT/tests/net/server.py" "$PORT_FILE" &
for _ in $(seq 100); do [ -f "$PORT_FILE" ] && break; sleep 0.1; done
PORT="$(cat "$PORT_FILE")"
URL="http://127.0.0.1:$PORT/bytes/$SIZE"
ensure_display
start_wine
trap 'curl -s "http://127.0.0.1:$PORT/quit" >/dev/null; rm -f "$PORT_FILE" "$PORT_FILE.txt"; stop_wine; stop_display' EXIT

times=()
for _ in $(seq "$RUNS"); do
  times+=("$(curl -s -o /dev/null -w '%{time_total}' "$URL")")
done
curl_ms="$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]*1000}')"

echo "10 MiB over loopback, median of $RUNS runs"
printf '%-13s %9s ms  %s\n' curl "$curl_ms" "1.00 x curl"
# Through a file: Wine's helper processes would hold a pipe open.
RESULT="$PORT_FILE.txt"
wine "$BUILD/win/http_bench.exe" "$URL" "$RUNS" </dev/null >"$RESULT" 2>/dev/null
tr -d '\r' <"$RESULT" |
  while read -r name ms bytes; do
    [ "$bytes" = "$SIZE" ] || echo "  ($name received $bytes bytes)"
    printf '%-13s %9s ms  %s\n' "$name" "$ms" "$(awk -v a="$ms" -v b="$curl_ms" 'BEGIN {printf "%.2f x curl", a / b}')"
  done

# The endless body: each download of the main schema, with its own cap,
# against a chunked body that never ends; its peak beside the process at rest.
echo "An endless chunked body cut off at each download's cap (working set)"
for which in version news archive uncapped; do
  wine "$BUILD/win/http_bench.exe" --endless "$which" "http://127.0.0.1:$PORT/chunked/endless" \
    "http://127.0.0.1:$PORT/bytes/10" </dev/null >"$RESULT" 2>/dev/null
  tr -d '\r' <"$RESULT" |
    while read -r name cap rest peak ms outcome left; do
      printf '%-8s cap %10s B  rest %7s KiB  peak %7s KiB  %s  %6s ms  %s, %s\n' "$name" "$cap" "$rest" "$peak" \
        "$(awk -v a="$peak" -v b="$rest" 'BEGIN {printf "%.2f x rest", a / b}')" "$ms" "$outcome" "$left"
    done
done
