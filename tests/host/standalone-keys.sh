#!/usr/bin/env bash
# The Standalone's keys as a player uses them, in a real X window (Xvfb) with real key
# and pointer events (XTEST, no window manager), checked by what the instrument
# simulator hears (its log) with the Standalone's own window, its key handling and
# ours in between:
#  - typed into the program chooser's list, letters narrow it by name and play no
#    note; Down moves the selection without sending, Enter selects the program on
#    the instrument;
#  - a level fader dragged, Ctrl+Z with no list focused sends the old level again,
#    Ctrl+Shift+Z the new one;
#  - a note held on the computer keyboard (KEYS shown) sounds once while the key
#    repeats, and ends when another program's window takes the focus, and when the
#    page changes; the key's release afterwards sends nothing.
# Screenshots of the steps stay in work-folder.
# Usage: standalone-keys.sh standalone-binary work-folder
# Exit 77 (skipped) when Xvfb, xdotool or xmessage is not installed.
set -euo pipefail

app=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-standalone.sh"
if ! missing=$(xvfb_standalone_missing_tool xmessage); then
    echo "SKIPPED: $missing"
    exit 77
fi

rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
log="$work/device.log"
export ZD8_DEMO_DEVICE_LOG="$log"
: > "$log"
xvfb_standalone_start "$app" "$work" "$work/screen" || exit 1

# What the instrument heard since the last mark, one message a line.
marked=0
mark() { marked=$(wc -l < "$log"); }
heard() { tail -n +$((marked + 1)) "$log"; }
fail() {
    echo "FAIL: $*"
    echo "the instrument heard since the step began:"
    heard | sed 's/^/    /'
    shot "failed"
    exit 1
}
alive() {
    kill -0 "$app_pid" 2>/dev/null || { echo "FAIL: the Standalone died"; cat "$work/app.log"; exit 1; }
}
# A click as a hand makes it, at editor coordinates (the editor at 1028 x 730).
click() {
    xdotool mousemove --window "$window" $(($1 + border)) $(($2 + top)) mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.6
    alive
}
# The window as the screen shows it, into work-folder/<name>.png (with python3).
shot() {
    command -v python3 >/dev/null || return 0
    python3 "$here/../../tools/screenshots/xwd-to-png.py" "$work/screen/Xvfb_screen0" \
        "$X" "$Y" "$WIDTH" "$HEIGHT" "$work/$1.png" || true
}
# Waits up to two seconds for a line of the log since the mark (extended regex).
wait_heard() {
    local _
    for _ in $(seq 20); do
        heard | grep -Eq "$1" && return 0
        sleep 0.1
    done
    return 1
}
notes_heard() { heard | grep -E '^[89][0-9A-F] ' || true; }

# A mixer value as the instrument hears it: seven controllers on the channel (0..15)
# address the channel's row 20 (level) and carry the value + 8192 in two bytes.
level_change() { # channel value
    local status offset
    status=$(printf 'B%X' "$1")
    offset=$(($2 + 8192))
    printf '%s 6E 01\n%s 6F 00\n%s 70 01\n%s 71 00\n%s 72 14\n%s 76 %02X\n%s 77 %02X\n' \
        "$status" "$status" "$status" "$status" "$status" "$status" $((offset / 128)) "$status" $((offset % 128))
}
last_level() { # channel: the value of the last level change heard on it
    local status hi lo
    status=$(printf 'B%X' "$1")
    hi=$(heard | grep "^$status 76 " | tail -1 | cut -d' ' -f3)
    lo=$(heard | grep "^$status 77 " | tail -1 | cut -d' ' -f3)
    [ -n "$hi" ] && [ -n "$lo" ] && echo $((16#$hi * 128 + 16#$lo - 8192))
}

sleep 2.6   # the About panel closes itself after two seconds at the first opening

#---------------------------------------------------------------------------------------
echo "find by name in the program chooser"
click 106 28          # PROGRAM: channel 1's program page
click 170 240         # the program display opens the chooser, its list beside it
click 146 170         # the list's first row (channel 1's program): the list has the focus
sleep 0.5
mark
xdotool type --delay 90 "organ"   # n is a note key of the player, o its octave key
sleep 0.6
shot find-typed
[ -z "$(heard)" ] || fail "typing into the list reached the instrument"
xdotool key Down
sleep 0.15
xdotool key Down
sleep 0.6
shot find-moved
[ -z "$(heard)" ] || fail "moving the selection sent something"
xdotool key Return
# Down twice from the first row, among the names with "organ" in the built-in bank:
# 0432 Glassy Gospel Organ (without the filter it would be 0003).
chosen="F0 07 46 01 00 20 00 03 30 F7"
wait_heard "^$chosen\$" || fail "Enter did not select program 432 on channel 1"
sleep 0.4
shot find-chosen
# The port's pacing may send the same select twice; nothing else goes out.
[ -z "$(heard | grep -vx "$chosen")" ] || fail "Enter sent more than the program select"

#---------------------------------------------------------------------------------------
echo "undo and redo of a fader drag with the keys"
click 313 28          # MIXER
mark
# Channel 4's level fader, its knob dragged up in a few moves.
xdotool mousemove --window "$window" $((244 + border)) $((562 + top)) mousedown 1
sleep 0.2
for y in 550 535 520 505; do
    xdotool mousemove --window "$window" $((244 + border)) $((y + top))
    sleep 0.1
done
xdotool mouseup 1
sleep 0.6
alive
before=-8   # the level of the first built-in program
dragged=$(last_level 3) || fail "the drag sent no level on channel 4"
[ "$dragged" -gt "$before" ] || fail "the drag up gave level $dragged"
shot undo-dragged
for step in "ctrl+z $before" "ctrl+shift+z $dragged" "ctrl+z $before"; do
    set -- $step
    mark
    xdotool key "$1"
    sleep 0.6
    expected=$(level_change 3 "$2")
    [ "$(heard)" = "$expected" ] || fail "$1 did not send level $2 on channel 4"
done
shot undo-done

#---------------------------------------------------------------------------------------
echo "held notes end when the focus or the page goes"
# Another program's window, away from the Standalone's, to take the focus.
xmessage -geometry 260x60+1900+1400 "another program" >/dev/null 2>&1 &
other_pid=$!
trap 'kill "$other_pid" 2>/dev/null || true; xvfb_standalone_stop' EXIT
other=""
for _ in $(seq 50); do
    other=$(xdotool search --onlyvisible --class xmessage 2>/dev/null | head -1 || true)
    [ -n "$other" ] && break
    sleep 0.1
done
[ -n "$other" ] || fail "the other window did not appear"

click 588 28          # KEYS
click 516 716         # the computer-keyboard player in the footer takes the focus
shot keys-player
note_on="90 24 64"    # Z: note 36 on channel 1, velocity 100
note_off="80 24 00"
for away in focus page; do
    mark
    xdotool keydown z
    wait_heard "^$note_on\$" || { xdotool keyup z; fail "Z held did not play a note"; }
    sleep 1.2   # past the X server's key repeat delay (660 ms): the key repeats
    shot "held-$away"
    [ "$(notes_heard)" = "$note_on" ] || { xdotool keyup z; fail "the held key did not sound once"; }
    if [ $away = focus ]; then
        xdotool windowfocus --sync "$other"
    else
        click 207 28  # MULTI
    fi
    sleep 0.6
    expected=$(printf '%s\n%s' "$note_on" "$note_off")
    [ "$(notes_heard)" = "$expected" ] || { xdotool keyup z; fail "the note did not end once when the $away went"; }
    xdotool keyup z
    sleep 0.4
    [ "$(notes_heard)" = "$expected" ] || fail "letting go of Z after the $away went sent more"
    [ $away = focus ] && click 516 716   # the player again
done
alive
echo "the Standalone's lists, undo keys and held notes behaved as the player expects"
