#!/usr/bin/env bash
# The program's command line as a file manager and a terminal use it, each in a new process:
# --version and --help answered without a display; a job named on the command line opened
# once the splash has gone, its name in the start window's title; a missing job file said in
# a message box, after which the program runs as after a normal start.
# Usage (under xvfb-run): job-argument.sh <program> <job file>
set -euo pipefail
program=$1 job=$2

failed=0
fail() { echo "FAIL: $*"; failed=1; }

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version) || fail "--version failed"
[ "$version" = "orvalis-calculator 1.0" ] || fail "--version said \"$version\""
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help) || fail "--help failed"
grep -q '^Usage: orvalis-calculator \[options\] \[job\]' <<<"$help" || fail "--help said: $help"
if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" one.orvalis two.orvalis 2>/dev/null; then
    fail "two job files were taken"
fi

# Waits up to 15 s (the splash stays 4 s) for a window whose name matches; true when it came.
window_appears() {
    for _ in $(seq 1 150); do
        xwininfo -root -tree | grep -q -- "$1" && return 0
        sleep 0.1
    done
    return 1
}

run() {
    QT_QPA_PLATFORM=xcb "$program" "$@" &
    pid=$!
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$job" "$folder/andromeda.orvalis"
run "$folder/andromeda.orvalis"
window_appears '"Orvalis Calculator - andromeda.orvalis"' || fail "the job named on the command line was not opened"
stop

run "$folder/missing.orvalis"
window_appears '"Orvalis Exposure Calculator"' || fail "no message box about the missing job"
xwininfo -root -tree | grep -q '"Orvalis Calculator"' || fail "no start window after the missing job"
stop

[ "$failed" -eq 0 ] && echo "The command line checks out."
exit "$failed"
