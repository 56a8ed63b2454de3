#!/usr/bin/env bash
# bench/run.sh over 300 accounts, once, without a display: every work has its line, with a
# time, a floor and a ratio.
#   run-script-test.sh <run.sh> <build folder>
set -euo pipefail
output=$(VANTOR_BENCH_DISPLAY=none VANTOR_BENCH_SIZES=300 VANTOR_BENCH_RUNS=1 bash "$1" "$2")
echo "$output"
number='[0-9]+\.[0-9]+'
expected=("command line /a=<last> /y" "window: start" "window: first_click" "window: refresh" "window: click"
          "window: page_down" "window: sort" "window: delete" "window: close" "window: delete (unsynced floor)"
          "memory: rss_start (real)" "memory: rss_start (plain)" "memory: peak_start (real)" "memory: peak_start (plain)"
          "memory: peak_end (real)" "memory: peak_end (plain)")
[[ $(wc -l <<<"$output") -eq $((${#expected[@]} + 1)) ]] || { echo "not one line a work"; exit 1; }
for work in "${expected[@]}"; do
    line=$(awk -v w="$work" 'substr($0, 1, length(w)) == w && substr($0, length(w) + 1) ~ /^ +300 /' <<<"$output")
    [[ -n $line ]] || { echo "no line for $work"; exit 1; }
    pattern=" 300 +$number +$number +$number$"
    [[ $line =~ $pattern ]] || { echo "malformed: $line"; exit 1; }
done
