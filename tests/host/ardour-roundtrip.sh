#!/usr/bin/env bash
# The plug-in in a real host: Ardour 7, headless (ardour7-lua, dummy audio backend).
#  1. Our own host renames Arrangements 0, 5 and 63 through the VST program calls; the
#     plug-in keeps that bank in its folder when it closes.
#  2. Ardour creates a session, loads the plug-in (which reads that bank), recalls
#     "Ballad" through the host's program list and saves the project.
#  3. The plug-in's folder is emptied; a second Ardour process loads the project. The
#     bank must come back exactly from the project, and Ballad must be the project's
#     program and the live Arrangement (the plug-in writes what it holds into its
#     folder when Ardour closes it).
# Usage: ardour-roundtrip.sh plugin.so zd8-vst-host work-folder
# Exit 77 (skipped) when Ardour is not installed.
set -euo pipefail

plugin=$1 host=$2 work=$3
. "$(dirname "$0")/ardour-common.sh"
ardour_require
ardour_work "$work"
folder="$HOME/.config/Vantor ZD8"

"$host" "$plugin" --rename-and-save "$work/expected.bank" >/dev/null
ardour_install vst2 "$plugin"

cat > "$work/save.lua" <<LUA
$(ardour_session_lua)
$(ardour_track_lua p ZD8 "$ardour_type")
assert (p, "the plug-in did not load")
local plugin = p:to_insert ():plugin (0)
print ("parameters", plugin:parameter_count ())
local ballad = plugin:preset_by_label ("Ballad" .. string.rep (" ", 18))
assert (ballad, "Ballad is not in the host's program list")
assert (plugin:load_preset (ballad), "the host could not recall Ballad")
print ("recalled", plugin:last_preset ().label)
Session:save_state ("", false, false, false, false, false)
close_session ()
LUA

cat > "$work/load.lua" <<LUA
AudioEngine:set_backend ("None (Dummy)", "", "")
local s = load_session ("$work/session", "zd8")
assert (s, "could not load the session")
for r in Session:get_routes ():iter () do
    local p = r:nth_plugin (0)
    if not p:isnil () then
        print ("reloaded", p:to_insert ():plugin (0):name (), "last program", p:to_insert ():plugin (0):last_preset ().label)
    end
end
close_session ()
LUA

# A failed Lua assertion prints an error but need not change ardour7-lua's exit code:
# each step must have printed what it did.
ballad="Ballad$(printf '%18s' '')"
ardour7-lua "$work/save.lua" >"$work/save.log" 2>&1 || true
grep -E "^(parameters|recalled|Error)" "$work/save.log" || true
if ! grep -qx "recalled $ballad" "$work/save.log"; then
    echo "FAILED  Ardour did not recall Ballad through its program list"
    tail -20 "$work/save.log"
    exit 1
fi
test -f "$work/session/zd8.ardour" || { echo "FAILED: Ardour saved no session"; exit 1; }

rm -rf "$folder"
ardour7-lua "$work/load.lua" >"$work/load.log" 2>&1 || true
grep -E "^(reloaded|Error)" "$work/load.log" || true
failed=0
if grep -qx "reloaded Brisvane VST last program $ballad" "$work/load.log"; then
    echo "ok      the reloaded project names Ballad as its program"
else
    echo "FAILED  the reloaded project does not name Ballad as its program"
    failed=$((failed + 1))
fi

if cmp -s "$work/expected.bank" "$folder/preset bank.zd8arrbank"; then
    echo "ok      the bank came back exactly from the Ardour project"
else
    echo "FAILED  the bank did not come back from the Ardour project"
    failed=$((failed + 1))
fi

# The live Arrangement the plug-in keeps when Ardour closes it: the recalled one.
live=$(head -c 51 "$folder/preset.zd8arr" 2>/dev/null | tail -c 24 || true)
if [ "$live" = "$ballad" ]; then
    echo "ok      after reloading, the live Arrangement is Ballad"
else
    echo "FAILED  after reloading, the live Arrangement is named \"${live}\", not Ballad"
    failed=$((failed + 1))
fi

if [ "$failed" -ne 0 ]; then
    tail -20 "$work/load.log"
    echo "ardour round trip: $((3 - failed)) passed, $failed failed"
    exit 1
fi
echo "ardour round trip: 3 passed, 0 failed"
