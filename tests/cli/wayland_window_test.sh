#!/usr/bin/env bash
# tests/cli/wayland_window_test.sh <program> <version> <weston>
# Starts the program with Qt's wayland platform on a private headless Wayland compositor (weston)
# and reads in its protocol log (WAYLAND_DEBUG) that it asks for one native toplevel window with
# the program's app id, title and fixed size, acknowledges the compositor's configure and then
# shows its first frame; Qt must write nothing else on standard error. The program and the
# compositor are always ended, also on failure.
set -uo pipefail
program=$1
version=$2
weston=$3
timeout_s=20 # for each wait: the compositor's socket, the window's first frame

# The test's own runtime directory, private as Qt and weston want it; the socket lives in it, so
# its name cannot be taken already.
runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=wayland-quadrel-test
weston_pid=
program_pid=
cleanup() {
    local pid
    for pid in $program_pid $weston_pid; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$runtime"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "FAIL: $*"
    exit 1
}

env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" "$weston" --no-config \
    --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for ((i = 0; i < timeout_s * 10; i++)); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || fail "weston did not start: $(cat "$runtime/weston.log")"
    sleep 0.1
done
[ -S "$runtime/$socket" ] || fail "weston made no socket within ${timeout_s}s"

# Qt's messages and libwayland's protocol log both go to standard error; every protocol line
# starts with a time stamp in brackets.
log=$runtime/stderr
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    WAYLAND_DEBUG=1 LC_ALL=C.UTF-8 "$program" >/dev/null 2>"$log" &
program_pid=$!
stamp='^\[ *[0-9]+\.[0-9]+\] '

# The first frame: a surface committed after a configure was acknowledged.
for ((i = 0; i < timeout_s * 10; i++)); do
    awk '/ -> xdg_surface@[0-9]+\.ack_configure\(/ { acked = 1 }
         acked && / -> wl_surface@[0-9]+\.commit\(\)/ { shown = 1; exit }
         END { exit !shown }' "$log" && break
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended early; its standard error:
$(cat "$log")"
    sleep 0.1
done
kill "$program_pid"
wait "$program_pid" 2>/dev/null
program_pid=
# The end of the log may be a line cut short by the kill.
[ -z "$(tail -c 1 "$log")" ] || sed -i '$d' "$log"
protocol=$(grep -E "$stamp" "$log")
messages=$(grep -vE "$stamp" "$log")

toplevel=$(grep -E ' -> xdg_surface@[0-9]+\.get_toplevel\(' <<<"$protocol")
[ -n "$toplevel" ] || fail "no toplevel window within ${timeout_s}s; standard error:
$(cat "$log")"
[ "$(wc -l <<<"$toplevel")" -eq 1 ] || fail "more than one toplevel window: $toplevel"
xdg=$(sed -E 's/.*xdg_surface@([0-9]+)\..*/\1/' <<<"$toplevel")
top=$(sed -E 's/.*new id xdg_toplevel@([0-9]+)\).*/\1/' <<<"$toplevel")
surface=$(sed -nE "s/.*get_xdg_surface\(new id xdg_surface@$xdg, wl_surface@([0-9]+)\)$/\1/p" \
    <<<"$protocol")

failures=0
problem() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# The arguments of the toplevel's last request of a kind.
last() { sed -nE "s/.* -> xdg_toplevel@$top\.$1\((.*)\)$/\1/p" <<<"$protocol" | tail -n 1; }
# check <request> <expected arguments>
check() {
    local got
    got=$(last "$1")
    [ "$got" = "$2" ] || problem "$1($got), expected $1($2)"
}
IFS=. read -r major minor revision <<<"$version"
check set_app_id '"quadrel"'
check set_title "\"Quadrel v$major.$minor rev.$revision\""
check set_min_size "322, 284"
check set_max_size "322, 284"
serial=$(sed -nE "s/.* -> xdg_surface@$xdg\.ack_configure\(([0-9]+)\)$/\1/p" <<<"$protocol" |
    head -n 1)
if [ -z "$serial" ] || ! grep -qE "\] xdg_surface@$xdg\.configure\($serial\)$" <<<"$protocol"; then
    problem "the window acknowledged no configure of the compositor"
elif ! sed -n "/ -> xdg_surface@$xdg\.ack_configure($serial)$/,\$p" <<<"$protocol" |
    grep -q " -> wl_surface@$surface\.commit()$"; then
    problem "the window's surface was not committed after the configure"
fi
[ -z "$messages" ] || problem "Qt wrote on standard error:
$messages"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "xdg_toplevel@$top: set_app_id($(last set_app_id)), set_title($(last set_title)),"
echo "  set_min_size($(last set_min_size)), set_max_size($(last set_max_size));"
echo "  configure $serial acknowledged, wl_surface@$surface committed; no messages from Qt"
