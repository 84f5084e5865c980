#!/bin/bash
# One Wine session for a whole test run, as CTest's fixture: `start` before the first Windows test,
# `stop` after the last.
#   start: makes the prefix once, starts one Wine server that stays for the run (every test then
#          joins it instead of starting its own), and has Wine manage the tests' windows itself.
#   stop:  ends the server and every Wine process left in the prefix.
# Their output goes to files in the build tree, and they hold none of the descriptors that CTest
# hands its tests: CTest waits for every holder of its pipes to end before it goes on.
set -u
action="$1"; wine_run="$2"; prefix="$3"; logs="$4"

case "$action" in
start)
    for fd in /proc/$$/fd/*; do
        fd=${fd##*/}
        [ "$fd" -gt 2 ] 2>/dev/null && eval "exec $fd>&-"
    done
    exec </dev/null
    # The 64-bit cmd starts in a second; the first start makes the prefix.
    "$wine_run" cmd /c exit >/dev/null 2>&1 || { echo "wine-session: Wine does not start" >&2; exit 1; }
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
    WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1
    WINEPREFIX="$prefix" wineserver -p >"$logs/wine-session-server.log" 2>&1 \
        || { echo "wine-session: the Wine server does not start" >&2; exit 1; }
    # The server's own processes (services, and on a display the desktop's explorer) start with
    # the first program that joins it, and would keep that program's output: a first program of
    # the session's own, whose output goes nowhere, starts them. Its window makes the desktop.
    if [ -n "${DISPLAY:-}" ]; then
        "$wine_run" rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1
    else
        "$wine_run" cmd /c exit >/dev/null 2>&1
    fi
    # The tests' windows are unmanaged: Wine draws their frames and minimises and restores them
    # itself, with no window manager to wait for (without one, Wine waits two seconds each time it
    # hides a window) and none whose late answer undoes a step: a manager that reports a minimise
    # after the program has restored the window again has Wine minimise it once more.
    "$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 \
        || { echo "wine-session: the prefix does not take unmanaged windows" >&2; exit 1; }
    echo "wine-session: one Wine server for the run in $prefix, its windows unmanaged"
    ;;
stop)
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
    exit 0
    ;;
*)
    echo "usage: wine-session.sh start|stop WINE_RUN PREFIX LOG_DIR" >&2
    exit 2
    ;;
esac
