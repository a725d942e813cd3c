#!/usr/bin/env bash
# tests/cli/command_line_test.sh <program> <version>
# Runs the real program with command lines and displays of each kind and checks its exit status,
# its output and that an error is one line on standard error.
set -uo pipefail
program=$1
version=$2

# A display number that nothing listens on.
n=4711
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
unanswered=":$n"

failures=0
# check <status> <stdout pattern> <stderr pattern> <DISPLAY or -> [args...]
# Patterns are extended regular expressions matched against the whole output ("" for none); an
# expected stderr must be exactly one line.
check() {
    local status=$1 out=$2 err=$3 display=$4
    shift 4
    local env=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
    [ "$display" != - ] && env+=("DISPLAY=$display")
    local got_out got_err got_status
    got_out=$("${env[@]}" "$program" "$@" 2>"$tmp/err")
    got_status=$?
    got_err=$(cat "$tmp/err")
    if [ "$got_status" != "$status" ] || ! [[ "$got_out" =~ ^$out$ ]] ||
        ! [[ "$got_err" =~ ^$err$ ]] || [ "$(wc -l <"$tmp/err")" -gt 1 ]; then
        echo "FAIL: quadrel $* (DISPLAY $display): status $got_status, stdout:"
        echo "$got_out"
        echo "stderr:"
        echo "$got_err"
        failures=$((failures + 1))
    fi
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

v=${version//./\\.}
check 0 "Usage: quadrel .*--version.*LC_NUMERIC.*" "" - --help
check 0 "Usage: quadrel .*" "" - -h
check 0 "Quadrel $v"$'\n'".*" "" - --version
# A Qt option's value is not taken for an argument of its own.
check 0 "Quadrel $v"$'\n'".*" "" - -style Fusion --platform offscreen --version
check 2 "" "quadrel: unknown option '--frob' .*" - --frob
check 2 "" "quadrel: unexpected argument 'photo\.jpg' .*" - photo.jpg
check 2 "" "quadrel: option '-platform' needs a value .*" - -platform
check 1 "" "quadrel: cannot open a display: DISPLAY is not set" -
check 1 "" "quadrel: cannot open the display '$unanswered'" "$unanswered"

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
echo "all cases passed"
