#!/usr/bin/env bash
# Times Vantor as whole processes, each against a floor measured in the same run, at 10,000,
# 100,000 and 1,000,000 accounts (generated databases with three-line comments, in temporary
# folders holding a copy of VTR and a GameSettings.reg, so that the program uses that file as its
# settings store):
#   - the command line `VTR /a=<last code> /y`, against a C++ program without Qt that reads the
#     file in pieces and finds the code;
#   - the window (vantor_window_driver): start to the list painted, the first click on a row, refresh
#     (F2), a later click, Page Down, a sort by name, a deletion, and the close to the process's
#     end, against the same steps in a plain Qt window with the same list; the deletion both
#     against the plain window's (the file's copy and the file written and synced, then read
#     again) and against the same without syncing;
#   - the window's memory, the whole process's resident set: held once the list was painted, the
#     most it held by then, and the most it held before the close, against the file's size.
# Every figure is the median of several runs. Each line: work, size, ms, floor ms, ratio; for
# memory: work, size, MB, the file's MB, times the file.
#
# Builds nothing: give it a build folder made with the benchmarks (the default, build/).
#   bench/run.sh [BUILD_FOLDER]
# VANTOR_BENCH_SIZES (default "10000 100000 1000000") and VANTOR_BENCH_RUNS (default 5) change
# what is timed. The window runs on a virtual display (xvfb-run) when there is one, otherwise on
# Qt's offscreen platform. hyperfine times the command line when it is installed.
set -euo pipefail

build=$(realpath "${1:-build}")
sizes=${VANTOR_BENCH_SIZES:-10000 100000 1000000}
runs=${VANTOR_BENCH_RUNS:-5}

# A display of its own for the whole run, so that no display's start is timed.
if [[ -z ${VANTOR_BENCH_DISPLAY:-} ]] && command -v xvfb-run >/dev/null; then
    export VANTOR_BENCH_DISPLAY=xvfb
    exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$@"
fi
if [[ ${VANTOR_BENCH_DISPLAY:-} == xvfb ]]; then
    export QT_QPA_PLATFORM=xcb
else
    export QT_QPA_PLATFORM=offscreen
fi
export LANG=C.UTF-8
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
chmod 700 "$XDG_RUNTIME_DIR"

for program in VTR bench/make_bench_folder bench/find_code_floor bench/vantor_window_driver; do
    if [[ ! -x $build/$program ]]; then
        echo "run.sh: $build/$program is missing; build with -DVANTOR_BENCH=ON first" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now_ns() { date +%s%N; }

# The median of the numbers on standard input.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.3f\n", m }'
}

# work size ms floor_ms: one printed line with the ratio.
report() {
    awk -v w="$1" -v n="$2" -v ms="$3" -v floor="$4" \
        'BEGIN { printf "%-34s %9s %10.1f %10.1f %7.2f\n", w, n, ms, floor, ms / floor }'
}

# The median wall time of a whole process, in ms, over the runs (the first run not counted).
process_ms() {
    if command -v hyperfine >/dev/null; then
        local csv="$work/hyperfine.csv"
        # Its warnings about a busy machine go to its log, shown only when it fails.
        if ! hyperfine -N --warmup 1 --runs "$runs" --export-csv "$csv" -- "$(printf '%q ' "$@")" >"$work/hyperfine.log" 2>&1; then
            cat "$work/hyperfine.log" >&2
            return 1
        fi
        awk -F, 'NR == 2 { printf "%.3f\n", $4 * 1000 }' "$csv"
        return
    fi
    "$@" >/dev/null
    for ((i = 0; i < runs; ++i)); do
        local start end
        start=$(now_ns)
        "$@" >/dev/null
        end=$(now_ns)
        echo $(((end - start) / 1000))
    done | median | awk '{ printf "%.3f\n", $1 / 1000 }'
}

# Runs the window driver `runs` times on a fresh copy of the database and leaves each step's
# median in "$out/<step>": the in-process steps as the driver prints them, the start from the
# process's start to the list painted, the close from its start to the process's end.
window_steps() {
    local folder=$1 out=$2
    shift 2
    mkdir -p "$out"
    for ((i = 0; i < runs; ++i)); do
        cp "$folder/Accounts.pristine" "$folder/Accounts.dat"
        rm -rf "$folder/Backups"
        local start end log="$out/run.log"
        start=$(now_ns)
        timeout 600 "$build/bench/vantor_window_driver" "$folder" "$@" >"$log"
        end=$(now_ns)
        awk -v start="$start" -v end="$end" '
            $1 == "painted_at" { printf "%.3f\n", ($2 - start) / 1e6 > "'"$out"'/start.all" }
            $1 == "closing_at" { printf "%.3f\n", (end - $2) / 1e6 > "'"$out"'/close.all" }
            $1 !~ /_at$/ { print $2 > "'"$out"'/" $1 ".all" }' "$log"
        for all in "$out"/*.all; do cat "$all" >>"${all%.all}.runs"; done
        rm -f "$out"/*.all
    done
    for step in "$out"/*.runs; do median <"$step" >"${step%.runs}"; done
}

printf "%-34s %9s %10s %10s %7s\n" work accounts ms "floor ms" ratio
for size in $sizes; do
    folder="$work/$size"
    last=$("$build/bench/make_bench_folder" "$folder" "$size")
    cp "$build/VTR" "$folder/VTR"
    cp "$folder/Accounts.dat" "$folder/Accounts.pristine"

    find_ms=$(process_ms "$build/bench/find_code_floor" "$folder/Accounts.dat" "$last")
    command_ms=$(process_ms "$folder/VTR" "/a=$last" /y)
    report "command line /a=<last> /y" "$size" "$command_ms" "$find_ms"

    window_steps "$folder" "$folder/real"
    window_steps "$folder" "$folder/plain" --plain
    for step in start first_click refresh click page_down sort delete close; do
        report "window: $step" "$size" "$(cat "$folder/real/$step")" "$(cat "$folder/plain/$step")"
    done
    report "window: delete (unsynced floor)" "$size" "$(cat "$folder/real/delete")" "$(cat "$folder/plain/delete_unsynced")"
    file_mb=$(stat -c %s "$folder/Accounts.pristine" | awk '{ printf "%.3f\n", $1 / 1048576 }')
    for memory in rss_start peak_start peak_end; do
        for window in real plain; do
            report "memory: $memory ($window)" "$size" "$(awk '{ printf "%.3f\n", $1 / 1048576 }' "$folder/$window/$memory")" "$file_mb"
        done
    done
done
