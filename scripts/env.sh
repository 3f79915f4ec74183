# Shared by scripts/run and scripts/test: install what is missing, set up
# one Wine prefix under build/ and one persistent wineserver for the run.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
          mingw-w64 wine64 wine fonts-wine xvfb python3 x11-utils imagemagick locales libz-mingw-w64-dev curl)
# The zip library: zlib on the host, the test corpus writer, unzip for the benchmark.
PACKAGES+=(zlib1g-dev unzip)
# ostrel-publish: OpenSSL's libcrypto signs, libzip deflates. Wine's CNG
# verifies signatures through GnuTLS, which it loads only when present.
PACKAGES+=(libssl-dev libzip-dev libgnutls30)
# The template check decodes house previews with gdk-pixbuf on the host.
PACKAGES+=(pkg-config libgdk-pixbuf-2.0-dev)

SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  # The 1251 run of the Windows suite needs the Russian locale to exist.
  if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
    $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
  fi
}

build_windows() {
  cmake -S "$ROOT" -B "$BUILD/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  ninja -C "$BUILD/win"
}

build_host() {
  cmake -S "$ROOT" -B "$BUILD/host" -G Ninja >/dev/null
  ninja -C "$BUILD/host"
}

# A wineserver started by a captured command would hold the output pipe
# open; start it persistent with no inherited streams first.
start_wine() {
  export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1 &
  if [ ! -f "$WINEPREFIX/.ostrel-ready-4" ]; then
    wine wineboot -i </dev/null >/dev/null 2>&1 || true
    # A crashing test must fail, not wait for somebody to close a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    # Without a window manager (Xvfb) nobody would draw the window frames.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    # That frame draws its caption buttons with Marlett, one of Wine's own
    # fonts (fonts-wine, /usr/share/wine/fonts). Debian's Wine looks for them
    # one folder off, finds none and falls back to letters: name the folder.
    wine reg add 'HKCU\Software\Wine\Fonts' /v Path /t REG_SZ /d 'Z:\usr\share\wine\fonts' /f </dev/null >/dev/null 2>&1
    # Wine's own "MS Sans Serif" drops a label's final ":" with Cyrillic text;
    # Windows maps the face to its outline successor, Tahoma: do the same.
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v 'MS Sans Serif' /t REG_SZ \
      /d Tahoma /f </dev/null >/dev/null 2>&1
    touch "$WINEPREFIX/.ostrel-ready-4"
  fi
  # The first program of a new wineserver also starts Wine's own services,
  # which keep the streams they inherit: start them here with none, or the
  # first captured test would hold its output pipe open until the timeout.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }

# Windows need an X display; without one, a private Xvfb.
XVFB_PID=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

stop_display() { [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true; }

# The fuzz target needs clang's libFuzzer.
build_fuzz() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD/fuzz" -G Ninja >/dev/null
  ninja -C "$BUILD/fuzz" text_fuzz zip_fuzz
}
