# Shared by scripts/test, scripts/demo and scripts/bench: configure and build once, an X
# display for the whole run when there is none, and one wine server kept alive for the run.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR="${COMTREE_BUILD_DIR:-$top/build}"
BUILD_TYPE="${COMTREE_BUILD_TYPE:-Debug}"

comtree_build() {
  "$top/scripts/setup"
  if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S "$top" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
  cmake --build "$BUILD_DIR" -j "$(nproc)" "$@"
}

_xvfb_pid=""
comtree_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  for n in $(seq 90 190); do
    { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _xvfb_pid=$!
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$_xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; return 0; fi
    _xvfb_pid=""
  done
  echo "could not start Xvfb" >&2
  return 1
}

# One wine server for the whole run: a program then starts in well under a second, where a
# first start (server, services, desktop) takes several. The prefix is set up before, since
# setting it up waits for a server to end.
comtree_wineserver() {
  "$top/scripts/wine-run" --build-dir "$BUILD_DIR" --prepare
  local prefix
  prefix="$(cd "$BUILD_DIR" && pwd)/wineprefix"
  # A server still lingering after an earlier program would refuse a second one.
  WINEPREFIX="$prefix" wineserver -w
  if WINEPREFIX="$prefix" wineserver -p; then
    export COMTREE_WINESERVER=persistent
    # The services (the service manager with its drivers, COM's rpcss) start with the first
    # program that needs them and then live as long as the server, holding that program's
    # output open: ctest would wait for them until its time limit. Started here, they hold
    # nothing of a test.
    "$top/scripts/wine-run" --build-dir "$BUILD_DIR" net start rpcss </dev/null >/dev/null 2>&1 || true
  else
    echo "no wine server kept alive: every program starts its own" >&2
  fi
}

# Ends the wine server of this build's prefix (and every program on it) and the display this
# run started; nothing of the run is left behind.
comtree_stop() {
  local prefix
  prefix="$(cd "$BUILD_DIR" && pwd)/wineprefix"
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
  unset COMTREE_WINESERVER
  if [ -n "$_xvfb_pid" ]; then
    kill "$_xvfb_pid" >/dev/null 2>&1 || true
    wait "$_xvfb_pid" 2>/dev/null || true
    _xvfb_pid=""
  fi
}
