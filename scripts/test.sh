#!/usr/bin/env bash
# Builds Vantor and runs the whole test suite: once in build/, warnings as errors, and once more
# in build-asan/ with the address and undefined-behaviour sanitizers; then the Windows-only code
# and the Windows program, cross-built with mingw-w64, under Wine (test-windows.sh); last, each
# fuzz target of fuzz/ for 30 seconds (fuzz.sh).
set -euo pipefail
source "$(dirname "$0")/setup.sh"

# Wine and mingw-w64 also for the suite itself: its test in a Wine prefix (tests/wine) needs them;
# the desktop launchers it writes are checked and started with desktop-file-validate and gio.
ensure_packages "${BUILD_PACKAGES[@]}" wine wine64 g++-mingw-w64-x86-64-posix desktop-file-utils libglib2.0-bin

export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

echo "== Build and tests"
build_into "$ROOT/build" -DVANTOR_WERROR=ON
ctest --test-dir "$ROOT/build" --output-on-failure -j "$(nproc)"

echo "== The same tests with the address and undefined-behaviour sanitizers"
build_into "$ROOT/build-asan" -DVANTOR_WERROR=ON -DVANTOR_SANITIZE=ON -DVANTOR_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure -j "$(nproc)"

echo "== Windows code under Wine"
bash "$ROOT/scripts/test-windows.sh"

echo "== Fuzzing"
bash "$ROOT/scripts/fuzz.sh" 30
