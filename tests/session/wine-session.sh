#!/bin/bash
# One Wine session for a whole test run, as CTest's fixture: `start` before the first Windows test,
# `stop` after the last.
#   start: makes the prefix once, starts one Wine server that stays for the run (every test then
#          joins it instead of starting its own), and, on a display without a window manager
#          (xvfb-run's), starts openbox. Without one, Wine waits two seconds for a manager that never
#          answers each time it hides a window.
#   stop:  ends the server, every Wine process left in the prefix, and the window manager started.
# Their output goes to files in the build tree, and they hold none of the descriptors that CTest
# hands its tests: CTest waits for every holder of its pipes to end before it goes on.
set -u
action="$1"; wine_run="$2"; prefix="$3"; logs="$4"
wm_pid="$logs/wine-session-wm.pid"

display_answers() {
    LC_ALL=C xprop -root >/dev/null 2>&1
}

has_window_manager() {
    LC_ALL=C xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

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
    if [ -n "${DISPLAY:-}" ] && ! has_window_manager; then
        if command -v openbox >/dev/null 2>&1; then
            # A fresh display may not answer at once: wait for it, and say so if it never does.
            for _ in $(seq 1 100); do
                display_answers && break
                sleep 0.1
            done
            display_answers || { echo "wine-session: the display $DISPLAY does not answer:" >&2; LC_ALL=C xprop -root 2>&1 >/dev/null | head -3 >&2; exit 1; }
            setsid openbox --sm-disable >"$logs/wine-session-wm.log" 2>&1 &
            echo $! >"$wm_pid"
            for _ in $(seq 1 100); do
                has_window_manager && break
                sleep 0.1
            done
            has_window_manager || { echo "wine-session: openbox did not start on $DISPLAY" >&2; cat "$logs/wine-session-wm.log" >&2; exit 1; }
            echo "wine-session: openbox manages the windows on $DISPLAY"
        else
            echo "wine-session: no window manager on $DISPLAY and no openbox: every hidden window costs two seconds"
        fi
    fi
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
    echo "wine-session: one Wine server for the run in $prefix"
    ;;
stop)
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
    if [ -f "$wm_pid" ]; then
        kill "$(cat "$wm_pid")" 2>/dev/null
        rm -f "$wm_pid"
    fi
    exit 0
    ;;
*)
    echo "usage: wine-session.sh start|stop WINE_RUN PREFIX LOG_DIR" >&2
    exit 2
    ;;
esac
