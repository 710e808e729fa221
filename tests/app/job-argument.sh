#!/usr/bin/env bash
# The program's command line as a file manager and a terminal use it, each in a new process:
# --version and --help answered without a display; a job named on the command line opened
# once the splash has gone, its name in the start window's title, even where the name is not
# valid UTF-8; a missing job, a pipe and a silent standard input each said in a message box,
# read by its own text as a screen reader reads it, after which the program runs as after a
# normal start.
# Usage (under xvfb-run and dbus-run-session): job-argument.sh <program> <job file>
set -euo pipefail
program=$1 job=$2
here=$(cd "$(dirname "$0")" && pwd)

failed=0
fail() { echo "FAIL: $*"; failed=1; }

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version) || fail "--version failed"
[ "$version" = "orvalis-calculator 1.0" ] || fail "--version said \"$version\""
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help) || fail "--help failed"
grep -q '^Usage: orvalis-calculator \[options\] \[job\]' <<<"$help" || fail "--help said: $help"
if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" one.orvalis two.orvalis 2>/dev/null; then
    fail "two job files were taken"
fi

# The screen readers' bus, which the program joins.
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# Waits up to 15 s (the splash stays 4 s) for a message box with this text, or a window with
# this title; true when it came.
box_says() { "$here/wait-for-text.py" 15 alert "$1"; }
window_titled() { "$here/wait-for-text.py" 15 frame "$1"; }

run() {
    QT_QPA_PLATFORM=xcb "$program" "$@" &
    pid=$!
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

folder=$(mktemp -d)
trap 'stop; kill $bus 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$job" "$folder/andromeda.orvalis"
run "$folder/andromeda.orvalis"
window_titled "Orvalis Calculator - andromeda.orvalis" || fail "the job named on the command line was not opened"
stop

# A name in Latin-1: opened by its bytes, shown with the replacement character.
cp "$job" "$folder/caf"$'\xe9'".orvalis"
run "$folder/caf"$'\xe9'".orvalis"
window_titled "Orvalis Calculator - caf"$'\xef\xbf\xbd'".orvalis" || fail "the job whose name is not UTF-8 was not opened"
stop

run "$folder/missing.orvalis"
box_says "Could not open the job \"$folder/missing.orvalis\": there is no such file." \
    || fail "no message box about the missing job"
window_titled "Orvalis Calculator" || fail "no start window after the missing job"
stop

# Nobody writes to either pipe: the program refuses it rather than waiting for ever.
mkfifo "$folder/pipe.orvalis"
run "$folder/pipe.orvalis"
box_says "Could not open the job \"$folder/pipe.orvalis\": it is a pipe, not a file; only files are opened." \
    || fail "no message box about the pipe"
stop
exec {silent}< <(sleep 600)
sleeper=$!
# A command started in the background reads /dev/null unless told otherwise.
QT_QPA_PLATFORM=xcb "$program" /dev/stdin <&"$silent" &
pid=$!
box_says "Could not open the job \"/dev/stdin\": it is a pipe, not a file; only files are opened." \
    || fail "no message box about the silent standard input"
stop
kill "$sleeper" 2>/dev/null || true

[ "$failed" -eq 0 ] && echo "The command line checks out."
exit "$failed"
