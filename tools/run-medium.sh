#!/usr/bin/env bash
# Runs korvelt.exe on the sample medium that the Windows build tree stages in its medium/ folder,
# under Wine, from a drive letter of its own (the program expects the medium's top folder as its
# current folder).
#   run-medium.sh <win build dir>                     start it and wait until it ends; without a
#                                                     display, take <win build dir>/korvelt-run.png
#                                                     as --screenshot does
#   run-medium.sh <win build dir> --screenshot FILE   take a picture of the screen once the window
#                                                     shows, then end the program
#   run-medium.sh <win build dir> --status [--json] what the launcher would show there on this
#                                                     machine, and why (korvelt-catalog status K:)
#   run-medium.sh <win build dir> --e2e FILE          as a user would, on a machine where the sample
#                                                     applications were never installed: set up
#                                                     the three that can be removed (each notice
#                                                     confirmed, back to the window, the row read
#                                                     as installed), take the picture, remove the
#                                                     three through their uninstall entries and
#                                                     Start-menu command (each row read empty
#                                                     again) and take FILE-removed.png
# Without a display the program runs under Xvfb. The exit status is 0 when all of that was done.
set -euo pipefail

build=$(cd "$1" && pwd)
shift
shot=""
mode=""
if [ "${1:-}" = "--screenshot" ] || [ "${1:-}" = "--e2e" ]; then
    mode=$1
    shot=${2:?"$1 needs a file name"}
    case "$shot" in /*) ;; *) shot="$PWD/$shot" ;; esac
fi

# The build stages the medium: the program at its root, the set-up programs where the catalogue
# names them.
staged="$build/medium"
if [ ! -f "$staged/korvelt.exe" ]; then
    echo "run-medium: no staged medium in $staged; build the tree first (make win)" >&2
    exit 1
fi

wine_run="$build/wine-run"
# The drive letter is a link in the prefix, which the first run creates; $prefix stays set.
link_drive() {
    prefix=$(LC_ALL=C sed -n 's/^export WINEPREFIX="\(.*\)"$/\1/p' "$wine_run")
    ln -sfn "$staged" "$prefix/dosdevices/k:"
}

if [ "${1:-}" = "--status" ]; then
    shift
    "$wine_run" cmd /c exit >/dev/null 2>&1 || true
    link_drive
    exec "$wine_run" "$build/bin/korvelt-catalog.exe" status "$@" 'K:'
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${KORVELT_IN_XVFB:-}" ]; then
    if [ -z "$mode" ]; then
        # Nobody can see or close a window on a virtual screen: show it in a picture and end.
        mode=--screenshot
        shot="$build/korvelt-run.png"
        echo "run-medium: no display found (DISPLAY is not set); the launcher runs on a virtual screen and ends after a screenshot"
    fi
    export KORVELT_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build" ${mode:+"$mode" "$shot"}
fi

# The first run creates the prefix. On our own virtual display there is no window manager, so
# Wine draws the windows' frames and captions itself; on the user's display the user's window
# manager has the window, whatever a test run in this prefix left.
if [ -n "${KORVELT_IN_XVFB:-}" ]; then
    "$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
else
    "$wine_run" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
fi
link_drive

cd "$staged"
if [ -z "$shot" ]; then
    exec "$wine_run" 'K:\korvelt.exe'
fi

# What the sample set-ups leave on a machine: the keys that the driver waits for (one per row,
# in the catalogue's order), their uninstall entries and their folders and shortcuts.
memo_key='Software\Korvelt\Samples\Memo'
viewer_key='Software\Korvelt\Samples\Viewer'
kakeibo_key='Software\Korvelt\Samples\Kakeibo\2.0'
uninstall='Software\Microsoft\Windows\CurrentVersion\Uninstall'
driver="$build/bin/korvelt-driver.exe"
# Start as on a machine where the applications were never installed: whatever an earlier run
# left goes, in both registry views (the 64-bit reg.exe starts in a second).
forget_samples() {
    local key view
    for key in "HKLM\Software\Korvelt\Samples" "HKLM\\$uninstall\KorveltMemo" "HKLM\\$uninstall\KorveltKakeibo"; do
        for view in 32 64; do
            "$wine_run" reg delete "$key" /f "/reg:$view" >/dev/null 2>&1 || true
        done
    done
    for key in "HKCU\Software\Korvelt\Samples" "HKCU\\$uninstall\KorveltViewer"; do
        "$wine_run" reg delete "$key" /f >/dev/null 2>&1 || true
    done
    local c="$prefix/drive_c"
    rm -rf "$c/Korvelt" "$c/Program Files/Korvelt Samples" "$c/Program Files (x86)/Korvelt Samples" \
        "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvelt" \
        "$c"/users/*/AppData/Local/Programs/"Korvelt Samples" \
        "$c"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/Korvelt
}
if [ "$mode" = "--e2e" ]; then
    forget_samples
fi

"$wine_run" 'K:\korvelt.exe' &
pid=$!
# Whatever happens below, no launcher outlives this script in the prefix. The launcher may have
# ended already, so nothing here may change the script's status.
stop_launcher() {
    kill "$pid" 2>/dev/null || true
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
trap stop_launcher EXIT
# A 32-bit start takes about a minute here; wait for the main window.
caption="Korvelt - Dravemont"
shown=""
# grep reads the whole tree: grep -q would stop at the first match, and xwininfo's broken pipe would
# then fail the pipeline (pipefail) though the window is there.
for _ in $(seq 1 180); do
    if LC_ALL=C xwininfo -root -tree 2>/dev/null | grep "$caption" >/dev/null; then
        shown=1
        break
    fi
    kill -0 "$pid" 2>/dev/null || { echo "run-medium: korvelt ended before its window showed" >&2; exit 1; }
    sleep 1
done
[ -n "$shown" ] || { echo "run-medium: no launcher window after 180 seconds" >&2; exit 1; }
sleep 3
if [ "$mode" = "--e2e" ]; then
    # One driver for the three set-ups: each start of a 32-bit program costs a minute here.
    "$wine_run" "$driver" setup 0 "$memo_key" setup 1 "$viewer_key" setup 2 "$kakeibo_key" || exit 1
    # The restored window has copied the post-install files and drawn its rows again.
    sleep 5
fi
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "run-medium: screenshot in $shot"
if [ "$mode" = "--e2e" ]; then
    "$wine_run" "$driver" uninstall 0 "$memo_key" uninstall 1 "$viewer_key" uninstall 2 "$kakeibo_key" || exit 1
    sleep 5
    import -window root "${shot%.png}-removed.png"
    echo "run-medium: screenshot in ${shot%.png}-removed.png"
fi
