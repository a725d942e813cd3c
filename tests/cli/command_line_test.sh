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

# check_held <name> <stderr pattern> [NAME=VALUE...] [args...]
# Starts the program on Qt's offscreen platform, in that environment, and ends it once its standard
# error has as many lines as the pattern (or after 20 s). What Qt says while the application is
# being created is held back and printed before the window opens; it must read exactly as Qt itself
# prints it (a program that holds nothing prints the same lines).
check_held() {
    local name=$1 err=$2
    shift 2
    local env=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
        XDG_RUNTIME_DIR="$tmp/runtime")
    while [[ ${1:-} == [A-Z_]*=* ]]; do
        env+=("$1")
        shift
    done
    local lines tenths=0
    lines=$(printf '%s\n' "$err" | wc -l)
    : >"$tmp/held"
    "${env[@]}" "$program" "$@" >/dev/null 2>"$tmp/held" &
    local pid=$!
    while kill -0 "$pid" 2>/dev/null && [ "$(wc -l <"$tmp/held")" -lt "$lines" ] &&
        [ $tenths -lt 200 ]; do
        sleep 0.1
        tenths=$((tenths + 1))
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    local got_err
    got_err=$(head -n "$lines" "$tmp/held")
    if ! [[ "$got_err" =~ ^$err$ ]]; then
        echo "FAIL: $name: quadrel $*: stderr:"
        cat "$tmp/held"
        failures=$((failures + 1))
    fi
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -m 700 "$tmp/runtime"

v=${version//./\\.}
check 0 "Usage: quadrel .*PICTURE.*--version.*LC_NUMERIC.*" "" - --help
check 0 "Usage: quadrel .*" "" - -h
check 0 "Quadrel $v"$'\n'".*" "" - --version
# A Qt option's value is not taken for an argument of its own.
check 0 "Quadrel $v"$'\n'".*" "" - -style Fusion --platform offscreen --version
check 2 "" "quadrel: unknown option '--frob' .*" - --frob
# One picture file is no mistake: the window would open with it. A second one is.
check 1 "" "quadrel: cannot open a display: DISPLAY is not set" - photo.jpg
check 2 "" "quadrel: unexpected argument 'b\.jpg' .*" - -style Fusion a.jpg b.jpg
check 2 "" "quadrel: option '-platform' needs a value .*" - -platform
check 1 "" "quadrel: cannot open a display: DISPLAY is not set" -
check 1 "" "quadrel: cannot open the display '$unanswered'" "$unanswered"

# qErrnoWarning's message has no category, and Qt prints no "category: " before it.
keyboard=/dev/quadrel-no-keyboard # Qt takes a device only under /dev
check_held "message without a category" "Cannot open keyboard input device '$keyboard' \\(.*\\)" \
    -plugin "evdevkeyboard:$keyboard"
check_held "message of a category" \
    'qt\.qpa\.plugin: init_platform called with pluginNamesWithArguments "offscreen" .*' \
    QT_LOGGING_RULES=qt.qpa.plugin.debug=true

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
echo "all cases passed"
