#!/usr/bin/env bash
# The Standalone in a real X window (Xvfb): it opens with the instrument simulator on
# both ports, every tab of the top bar is clicked with real pointer events, the window
# is scaled to 150 % with its resizer corner (the aspect kept, the tabs clicked where
# the scaled picture shows them, checked on the screen's pixels), the window is closed
# with its close button, and the program must have quit cleanly by itself.
# Usage: standalone-smoke.sh standalone-binary work-folder
# Exit 77 (skipped) when Xvfb or xdotool is not installed.
set -euo pipefail

app=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-standalone.sh"
if ! missing=$(xvfb_standalone_missing_tool); then
    echo "SKIPPED: $missing"
    exit 77
fi

rm -rf "$work"
mkdir -p "$work"
# The screen file lies in the work folder itself.
xvfb_standalone_start "$app" "$work" "$work" || exit 1
echo "window $WIDTH x $HEIGHT at $X,$Y"

# The editor lies inside the window's border, under its title bar; its tabs sit in
# the top bar at x 16 + tab centre, y 28.
click() { # x y (editor coordinates)
    xdotool mousemove --window "$window" $(($1 + border)) $(($2 + top)) click 1
    sleep 0.4
    kill -0 "$app_pid" 2>/dev/null || { echo "FAIL: the Standalone died after a click at $1,$2"; cat "$work/app.log"; exit 1; }
}
sleep 2.5   # the About panel closes itself after two seconds at the first opening
# With SHOTS=folder (and python3) each tab's window is kept there, cut from the screen file.
shot() {
    [ -n "${SHOTS:-}" ] && command -v python3 >/dev/null || return 0
    mkdir -p "$SHOTS"
    local geometry
    geometry=$(xdotool getwindowgeometry --shell "$window")
    (eval "$geometry"; python3 "$(dirname "$0")/../../tools/screenshots/xwd-to-png.py" "$work/Xvfb_screen0" \
        "$X" "$Y" "$WIDTH" "$HEIGHT" "$SHOTS/window-$1.png")
}
for tab in "PROGRAM 106" "MULTI 207" "MIXER 313" "CONTROLS 408" "MIDI 523" "MIXER 313" "KEYS 588" "KEYS 588" "ABOUT 653" "ABOUT 653" "PROGRAM 106" "MIXER 313"; do
    set -- $tab
    echo "click $1"
    click "$2" 28
    shot "$(echo "$1" | tr 'A-Z' 'a-z')"
done

# The corner dragged to 150 % (1542 x 1095) in steps, as a hand drags it.
grip_x=$((WIDTH - border - 6)) grip_y=$((HEIGHT - border - 6))
xdotool mousemove --window "$window" $grip_x $grip_y mousedown 1
sleep 0.2
xdotool mousemove --window "$window" $((grip_x + 257)) $((grip_y + 182))
sleep 0.2
xdotool mousemove --window "$window" $((grip_x + 514)) $((grip_y + 365))
sleep 0.3
xdotool mouseup 1
sleep 0.8
eval "$(xdotool getwindowgeometry --shell "$window")"
editor_width=$((WIDTH - 2 * border)) editor_height=$((HEIGHT - top - border))
echo "scaled: window $WIDTH x $HEIGHT, editor $editor_width x $editor_height"
if [ $((editor_width - 1542)) -lt -1 ] || [ $((editor_width - 1542)) -gt 1 ] \
    || [ $((editor_height - 1095)) -lt -1 ] || [ $((editor_height - 1095)) -gt 1 ]; then
    echo "FAIL: the corner drag gave $editor_width x $editor_height, not 1542 x 1095"
    exit 1
fi
# A tab's face away from its label: gold while the tab is on, dark grey when off.
screen_pixel() { # x y (editor coordinates at 150 %)
    python3 "$(dirname "$0")/../../tools/screenshots/xwd-to-png.py" "$work/Xvfb_screen0" \
        $((X + border + $1)) $((Y + top + $2))
}
tab_is_on() { # design x of the tab's face
    local rgb red blue
    rgb=$(screen_pixel $(($1 * 3 / 2)) $((23 * 3 / 2)))
    red=$((16#${rgb:0:2})) blue=$((16#${rgb:4:2}))
    [ $red -gt 112 ] && [ $red -gt $((blue + 48)) ]
}
for tab in "MULTI 207 190 86" "PROGRAM 106 86 190"; do
    set -- $tab
    echo "click $1 at 150 %"
    click $(($2 * 3 / 2)) $((28 * 3 / 2))
    if command -v python3 >/dev/null; then
        tab_is_on "$3" || { echo "FAIL: the $1 tab is not on after a click at its scaled place"; exit 1; }
        ! tab_is_on "$4" || { echo "FAIL: the other mode tab stayed on after $1"; exit 1; }
    fi
done
shot scaled

# The close button of the title bar drawn by the window itself (top right).
xdotool mousemove --window "$window" $((WIDTH - 14)) 12 click 1
for _ in $(seq 50); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: the Standalone did not quit after its close button"
    exit 1
fi
wait "$app_pid" && status=0 || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: the Standalone exited with status $status"
    cat "$work/app.log"
    exit 1
fi
if grep -E "JUCE Assertion|Leaked objects|Segmentation|Aborted" "$work/app.log"; then
    echo "FAIL: errors in the Standalone's output"
    exit 1
fi
echo "Standalone opened, every tab clicked, scaled to 150 % and clicked there, closed cleanly"
