#!/usr/bin/env bash
# Cross-builds the Windows-only code (Fuente/win32) and its tests with mingw-w64 into build-win32/
# and runs them under Wine, in a new Wine prefix that is removed afterwards. No display is needed.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64)
ensure_packages "${WINDOWS_PACKAGES[@]}"

BUILD="$ROOT/build-win32"
cmake -S "$ROOT/tests/win32" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"

scratch="$(mktemp -d)"
cleanup() {
    WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
# No .NET or HTML engine installers; no menu entries or launchers made on this machine for the
# shortcuts that the tests write (Wine's menu builder would add them to the user's desktop menus).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
unset DISPLAY WAYLAND_DISPLAY

if ! wineboot --init >"$scratch/wineboot.log" 2>&1; then
    cat "$scratch/wineboot.log" >&2
    exit 1
fi
# Let the prefix's set-up finish and Wine's services stop: a test that starts while they stop
# waits ten seconds for the COM service.
wineserver -w

# Wine's console ends lines with CR LF.
wine "$BUILD/win32_tests.exe" 2>&1 | tr -d '\r' | tee "$scratch/tests.log"
status=${PIPESTATUS[0]}
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' "$scratch/tests.log")
failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:$/\1/p' "$scratch/tests.log")
echo "Wine: ${passed:-0} passed, ${failed:-0} failed"
exit "$status"
