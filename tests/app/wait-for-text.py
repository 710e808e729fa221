#!/usr/bin/python3
# Waits for a window of the program as a screen reader finds it, through AT-SPI: a message box
# ("alert") whose text is exactly the one given, or a window ("frame") of that title.
# Usage: wait-for-text.py <seconds> alert|frame <text>
# Exits 0 once it is there; otherwise prints what it found and exits 1.
import sys
import time

import pyatspi


def labels(node):
    found = []
    try:
        if node.getRoleName() == "label" and node.name:
            found.append(node.name)
        for child in node:
            if child is not None:
                found.extend(labels(child))
    except Exception:  # a window closing while it is read
        pass
    return found


def seen():
    windows = []
    for application in pyatspi.Registry.getDesktop(0):
        if application is None:
            continue
        for window in application:
            try:
                if window is not None:
                    windows.append((window.getRoleName(), window.name, labels(window)))
            except Exception:
                pass
    return windows


def main():
    seconds, kind, text = float(sys.argv[1]), sys.argv[2], sys.argv[3]
    deadline = time.time() + seconds
    windows = []
    while time.time() < deadline:
        windows = seen()
        for role, name, texts in windows:
            if role == kind and (text in texts if kind == "alert" else name == text):
                return 0
        time.sleep(0.2)
    for role, name, texts in windows:
        print(f"  {role} {name!r}: {texts}")
    return 1


sys.exit(main())
