#!/usr/bin/env bash
# The Windows side, under Wine, in a new Wine prefix that is removed afterwards:
#  1. the Windows-only code (Fuente/win32) and its tests, cross-built with mingw-w64 into
#     build-win32/, without a display;
#  2. the Windows program itself (scripts/build-windows.sh: Qt for Windows, VTR.exe, dist/) and its
#     tests, on a virtual display (Wine needs one to create the program's windows): the real VTR.exe
#     against Wine's registry with a stand-in game in the game's folder.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth)
ensure_packages "${WINDOWS_PACKAGES[@]}"

BUILD="$ROOT/build-win32"
cmake -S "$ROOT/tests/win32" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$BUILD" -j "$(nproc)"
bash "$ROOT/scripts/build-windows.sh"

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

# run_tests NAME COMMAND...: runs a GoogleTest program under Wine and adds up its results.
total_passed=0 total_failed=0 status=0
run_tests() {
    local name="$1"
    shift
    # Wine's console ends lines with CR LF.
    "$@" 2>&1 | tr -d '\r' | tee "$scratch/$name.log" || status=1
    local passed failed
    passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' "$scratch/$name.log")
    failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:$/\1/p' "$scratch/$name.log")
    [ -n "$passed" ] || status=1
    total_passed=$((total_passed + ${passed:-0}))
    total_failed=$((total_failed + ${failed:-0}))
}

run_tests win32 wine "$BUILD/win32_tests.exe"

# The program's folder has a blank in its name, as real ones do; the test program sits beside
# VTR.exe so that it finds the same Qt DLLs. The game is where AppPath says, in the 32-bit view
# that a 32-bit game's installer writes.
app="$scratch/Vantor program"
cp -r "$ROOT/dist/Vantor-win64" "$app"
cp "$ROOT/build-windows/tests/windows/windows_tests.exe" "$app/"
mkdir -p "$WINEPREFIX/drive_c/Games/Freelancer/EXE"
cp "$ROOT/build-windows/tests/windows/Freelancer.exe" "$WINEPREFIX/drive_c/Games/Freelancer/EXE/"
wine reg add 'HKLM\Software\Microsoft\Microsoft Games\Freelancer\1.0' /v AppPath /t REG_SZ \
    /d 'C:\Games\Freelancer' /reg:32 /f >/dev/null
VANTOR_APP="$(winepath -w "$app")"
VANTOR_SCREENSHOT="$(winepath -w "$ROOT/build-windows/windows-main-window.png")"
export VANTOR_APP VANTOR_SCREENSHOT
run_tests program xvfb-run -a -s "-screen 0 1280x1024x24" wine "$app/windows_tests.exe"

echo "Wine: $total_passed passed, $total_failed failed"
exit "$status"
