#!/usr/bin/env bash
# The window on Windows, under wine64 on an X server of our own (Xvfb): the Standalone
# program, and the VST 2 editor in a host window of its own (zd8-vst-editor-host). Each
# opens with no MIDI device, must show the editor drawn as on Linux (the tab bar and the
# mixer strips, compared region by region with the Linux render,
# tests/editor/reference/editor_mixer.png), then closes (the Standalone's close button,
# the host window's Alt+F4) and exits with 0 within a few seconds. The screenshots are kept in the Windows build folder:
# build-win/window-standalone.png and build-win/window-vst2-editor.png.
# Usage: wine-window.sh windows-build-folder work-folder
# Exit code 77 (skipped) where wine64, Xvfb, xdotool, python3 or the Windows build is missing.
set -euo pipefail
win_build=$(realpath -m "$1")
work=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-common.sh"

standalone=$win_build/standalone/BrisvaneZD8.exe
dll=$win_build/vst/BrisvaneZD8.dll
editor_host=$win_build/zd8-vst-editor-host.exe
reference=$here/../editor/reference/editor_mixer.png
wine_missing || { echo "skipped"; exit 77; }
for tool in Xvfb xdotool python3; do
    command -v $tool >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
for f in "$standalone" "$dll" "$editor_host"; do
    [ -f "$f" ] || { echo "$f is missing (tools/build-windows): skipped"; exit 77; }
done

# Seconds since a time in nanoseconds (date +%s%N), to a tenth.
since() { local ms=$((($(date +%s%N) - $1) / 1000000)); echo "$((ms / 1000)).$((ms % 1000 / 100))"; }

wine_start "$work" "$work/screen"
# No window manager runs on this X server: wine then manages its windows itself, instead
# of waiting about a second for a window manager to take each closed window away.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
failed=0

# Runs a Windows program whose window has the given title; checks its picture and that it
# closes cleanly.
check_window() { # name title close-by screenshot program arguments...
    local name=$1 title=$2 close=$3 shot=$4
    shift 4
    local started pid window="" _ status
    started=$(date +%s%N)
    "$wine" "$@" >"$work/$name.log" 2>&1 &
    pid=$!
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "FAILED  $name: no window \"$title\" appeared"
        tr -d '\r' <"$work/$name.log" | tail -20
        kill "$pid" 2>/dev/null || true
        failed=1
        return
    fi
    echo "$name: window shown after $(since "$started") s"

    # The first opening shows the about panel over the page; it closes itself after two
    # seconds, and the window must then be redrawn (wine 8 never reports a vertical
    # blank, on which JUCE 7 hands repaints to Windows: the editor's RepaintFlush).
    sleep 3.5
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    python3 "$here/wine-window/window-check.py" "$work/screen/Xvfb_screen0" "$X" "$Y" "$WIDTH" "$HEIGHT" \
        "$reference" "$shot" >"$work/$name-check.log" && status=0 || status=$?
    sed "s/^\(ok     \|FAILED \) /\1 $name: /" "$work/$name-check.log"
    [ "$status" -eq 0 ] || failed=1
    echo "$name: screenshot $shot"

    # Closed as a user closes it: the close button of the title bar the Standalone draws
    # itself (JUCE's windows without the system's title bar ignore Alt+F4), Alt+F4 (the
    # system's close: WM_CLOSE) for the host's window.
    if [ "$close" = button ]; then
        xdotool mousemove --window "$window" $((WIDTH - 21)) 16
        sleep 0.2
        xdotool mousedown 1
        sleep 0.1
        xdotool mouseup 1
    else
        xdotool windowfocus "$window" 2>/dev/null || true
        sleep 0.3
        xdotool key alt+F4
    fi
    started=$(date +%s%N)
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAILED  $name: still running 10 s after closing"
        kill "$pid" 2>/dev/null || true
        failed=1
        return
    fi
    wait "$pid" && status=0 || status=$?
    if [ "$status" -eq 0 ]; then
        echo "ok      $name: closed, exit code 0 after $(since "$started") s"
    else
        echo "FAILED  $name: exit code $status after closing"
        tr -d '\r' <"$work/$name.log" | tail -20
        failed=1
    fi
}

# No port file: the plug-in starts with no MIDI device, as on a machine without the
# instrument.
check_window standalone "Brisvane VST" button "$win_build/window-standalone.png" "$(to_windows "$standalone")"
check_window vst2-editor "ZD8 VST 2 editor" alt+F4 "$win_build/window-vst2-editor.png" \
    "$(to_windows "$editor_host")" "$(to_windows "$dll")"
exit $failed
