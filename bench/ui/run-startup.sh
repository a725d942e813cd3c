#!/usr/bin/env bash
# Start-up of the window against a minimal Qt program: bench/ui/run-startup.sh <build-dir>
#
# Times from process start to the first paint of the window (startup_quadrel, which starts as the
# program does) and of a window with one line edit (startup_minimal), both with hyperfine in the
# same run, and compares their peak memory (/usr/bin/time -f %M). Targets: at most 1.2 times the
# minimal program's time, at most 3 MB more memory. Runs on the offscreen platform unless
# QT_QPA_PLATFORM says otherwise; RUNS sets hyperfine's number of runs (default 30).
set -euo pipefail

build=${1:?usage: run-startup.sh <build-dir>}
quadrel="$build/bench/ui/startup_quadrel"
minimal="$build/bench/ui/startup_minimal"
for program in "$quadrel" "$minimal"; do
    if [ ! -x "$program" ]; then
        echo "missing $program (build the targets startup_quadrel and startup_minimal)" >&2
        exit 1
    fi
done
for tool in hyperfine /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export LC_ALL=${LC_ALL:-C.UTF-8}
runs=${RUNS:-30}
csv=$(mktemp)
trap 'rm -f "$csv"' EXIT

hyperfine --shell=none --warmup 3 --runs "$runs" --export-csv "$csv" \
    --command-name quadrel "$quadrel" --command-name minimal "$minimal"

# Median time in milliseconds of the named command from hyperfine's CSV (command,mean,stddev,
# median,...; seconds).
median_ms() { awk -F, -v name="$1" '$1 == name { printf "%.2f", $4 * 1000 }' "$csv"; }
# Median peak resident set size in kilobytes over five runs.
peak_kb() {
    local i
    for i in 1 2 3 4 5; do
        /usr/bin/time -f %M "$1" 2>&1 >/dev/null | tail -n 1
    done | sort -n | sed -n 3p
}

quadrel_ms=$(median_ms quadrel)
minimal_ms=$(median_ms minimal)
quadrel_kb=$(peak_kb "$quadrel")
minimal_kb=$(peak_kb "$minimal")

awk -v q="$quadrel_ms" -v m="$minimal_ms" -v qk="$quadrel_kb" -v mk="$minimal_kb" 'BEGIN {
    ratio = q / m
    extra = (qk - mk) / 1024
    printf "\nsummary: ui start-up to first paint, median of hyperfine runs\n"
    printf "summary:   quadrel %.1f ms, minimal Qt program %.1f ms: ratio %.2f, target at most 1.2: %s\n",
        q, m, ratio, ratio <= 1.2 ? "met" : "NOT met"
    printf "summary:   peak memory quadrel %.1f MB, minimal %.1f MB: %+.2f MB, target at most +3 MB: %s\n",
        qk / 1024, mk / 1024, extra, extra <= 3 ? "met" : "NOT met"
}'
