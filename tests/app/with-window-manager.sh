#!/bin/sh
# Runs a test on the X server of xvfb-run under a real window manager, so that windows get
# title bars and frames as on a desktop. Usage: with-window-manager.sh <test> [args...]
openbox >/dev/null 2>&1 &
manager=$!
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
        echo "the window manager did not start" >&2
        kill "$manager" 2>/dev/null
        exit 1
    fi
    sleep 0.1
done
"$@"
status=$?
kill "$manager" 2>/dev/null
exit "$status"
