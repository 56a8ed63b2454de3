#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS]: builds the libFuzzer targets of fuzz/ with clang into build-fuzz/ and
# runs each one for SECONDS (default 30), starting from its seeds in fuzz/corpus/<target>/. Fails
# when a target finds a crash, a sanitizer report, a leak, a hang or a broken check; the input
# that did it is kept in build-fuzz/artifacts/. The inputs a run finds are kept in
# build-fuzz/corpus/<target>/ and the next run starts from them too.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

SECONDS_EACH="${1:-30}"
TARGETS=(load_database import_source convert_database options_file store_file wine_registry command_line is_ip)
BUILD="$ROOT/build-fuzz"

ensure_packages cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev libgl-dev

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTOR_FUZZ=ON -DVANTOR_TESTS=OFF -DVANTOR_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target fuzzers

# The targets' application folders go into a memory file system where there is one: the program
# syncs every file it rewrites, which on a disk slows each input down a hundredfold.
base="${TMPDIR:-/tmp}"
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
work="$(mktemp -d "$base/vantor-fuzz.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export VANTOR_FUZZ_TMP="$work"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

dictionary() {
    case "$1" in
    load_database | import_source | convert_database) echo "$ROOT/fuzz/dict/database.dict" ;;
    *) echo "$ROOT/fuzz/dict/$1.dict" ;;
    esac
}

mkdir -p "$BUILD/artifacts" "$BUILD/logs"
failed=()
for target in "${TARGETS[@]}"; do
    corpus="$BUILD/corpus/$target"
    log="$BUILD/logs/$target.log"
    mkdir -p "$corpus"
    options=(-max_total_time="$SECONDS_EACH" -max_len=4096 -timeout=10 -rss_limit_mb=2048
             -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$target-")
    dict="$(dictionary "$target")"
    [ -f "$dict" ] && options+=(-dict="$dict")
    echo "-- $target: ${SECONDS_EACH} s"
    if "$BUILD/fuzz/fuzz_$target" "${options[@]}" "$corpus" "$ROOT/fuzz/corpus/$target" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units' "$log" | sed 's/^stat::number_of_executed_units: */   inputs run: /' || true
    else
        failed+=("$target")
        tail -n 60 "$log"
        echo "   $target FAILED: log $log, input in $BUILD/artifacts/" >&2
    fi
done

echo "Fuzzing: $((${#TARGETS[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -ne 0 ]; then
    echo "Faults found by: ${failed[*]}" >&2
    exit 1
fi
