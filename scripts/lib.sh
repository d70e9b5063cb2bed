# Shared by scripts/test, scripts/demo and scripts/bench: configure and build once, and an X
# display for the whole run when there is none.
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

comtree_stop() {
  WINEPREFIX="$BUILD_DIR/wineprefix" wineserver -k >/dev/null 2>&1 || true
  if [ -n "$_xvfb_pid" ]; then
    kill "$_xvfb_pid" >/dev/null 2>&1 || true
    wait "$_xvfb_pid" 2>/dev/null || true
    _xvfb_pid=""
  fi
}
