#!/usr/bin/env bash
# The README's pictures of the window: the Standalone under Xvfb, with a fresh plug-in
# folder (the built-in program, multi and FX chain banks) and the instrument simulator
# on both ports, driven with the pointer as a player drives it; each picture is the
# whole Standalone window, cut from the screen file Xvfb keeps (-fbdir).
# Usage: make-screenshots.sh standalone-binary output-folder
# Needs Xvfb, xdotool and python3. Look at every picture before committing it.
set -euo pipefail

app=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tests/host/xvfb-standalone.sh"
missing=$(xvfb_standalone_missing_tool python3) || { echo "$missing"; exit 1; }

work=$(mktemp -d)
mkdir -p "$out"
xvfb_standalone_start "$app" "$work" "$work/screen" || { rm -rf "$work"; exit 1; }
trap 'xvfb_standalone_stop; rm -rf "$work"' EXIT

# The editor (1028 x 730 at first opening) inside the window's border, under its title bar.
left=$((X + border)) top=$((Y + top))

# A click as a hand makes it: the button held a moment (a press and its release in the
# same instant is left to the window test).
click() { # x y in editor coordinates
    xdotool mousemove $((left + $1)) $((top + $2)) mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep "${3:-0.7}"
}
# The whole window of that id (the Standalone's unless given), as out/<name>.png.
shot() { # name [window]
    local geometry
    # Xvfb draws the pointer into its screen: it goes to a corner no window covers.
    xdotool mousemove 2399 1699
    sleep 0.3
    geometry=$(xdotool getwindowgeometry --shell "${2:-$window}")
    (eval "$geometry"; python3 "$here/xwd-to-png.py" "$work/screen/Xvfb_screen0" "$X" "$Y" "$WIDTH" "$HEIGHT" "$out/$1.png")
    echo "$out/$1.png"
}

sleep 0.8
shot editor_about                 # the About panel of the first opening
sleep 2.2                         # it closes itself after two seconds
shot editor_mixer

click 106 28                      # PROGRAM: channel 1's program under the mixer's row
shot program_standard
click 170 240                     # the program display opens the chooser
shot program_chooser
click 854 362                     # ORGAN
click 146 165                     # the first organ of the list
shot program_organ_chooser
click 883 663                     # CLOSE
shot program_organ
click 308 342                     # PARAM TABLE (in the organ layout's button column)
shot parameter_table

click 207 28                      # MULTI
shot multi_page
click 523 28                      # MIDI
shot midi_setup
click 523 28                      # any tab closes the setup panel
click 408 28                      # CONTROLS
shot controls_page
click 313 28                      # MIXER
click 56 148                      # channel 1's insert chain: the FX chain selector
shot selector_fxchain
click 313 28
click 34 32 1.5                   # the menu button: the library window
library=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | grep -vx "$window" | while read -r id; do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" -ge 800 ] && [ "$WIDTH" -lt 2400 ] && [ "$HEIGHT" -ge 500 ] && echo "$id"
done | tail -1 || true)
if [ -n "$library" ]; then
    shot library_window "$library"
    xdotool windowmove "$library" 1750 0   # out of the way of the main window's pictures
else
    echo "the library window did not appear"
fi
click 313 28
click 588 28                      # KEYS
shot keyboard_panel
click 588 28


click 523 28                      # MIDI
click 480 360                     # RECEIVE DATA
click 170 105                     # Programs
click 430 266 0.8                 # START: the user range, read from the instrument
shot transfer_dialog
