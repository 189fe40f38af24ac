#!/usr/bin/env bash
# The VST3 and LV2 builds in Ardour 7, headless (ardour7-lua, dummy audio backend): each
# loads on a MIDI track (VST3 with the plug-in's 2314 parameters).
# Usage: ardour-formats.sh vst3-binary-folder lv2-bundle work-folder
# (the VST3 binary lies in <bundle>.vst3/Contents/<architecture>/)
# Exit 77 (skipped) when Ardour is not installed.
set -euo pipefail

vst3=$1 lv2=$2 work=$3
. "$(dirname "$0")/ardour-common.sh"
ardour_require
ardour_work "$work"
ardour_install vst3 "$vst3"
vst3_config=$ardour_config
ardour_install lv2 "$lv2"

cat > "$work/formats.lua" <<LUA
$vst3_config
$(ardour_session_lua)
$(ardour_track_lua vst3 "ZD8 VST3" VST3)
$(ardour_track_lua lv2 "ZD8 LV2" LV2)
for _, kind in ipairs ({ { "VST3", vst3 }, { "LV2", lv2 } }) do
    if kind[2] == nil then
        print ("missing", kind[1])
    else
        print ("loaded", kind[1], "parameters", kind[2]:to_insert ():plugin (0):parameter_count ())
    end
end
Session:save_state ("", false, false, false, false, false)
close_session ()
LUA

ardour7-lua "$work/formats.lua" >"$work/ardour.log" 2>&1 || true
grep -E "^(loaded|missing)" "$work/ardour.log" || true
failed=0
# VST3 shows the 2314 slots as parameters (plus JUCE's bypass); LV2 carries them as
# patch parameters, which Ardour does not count among the plug-in's ports.
for check in "VST3 2314" "LV2 1"; do
    set -- $check
    count=$(grep -E "^loaded\s+$1\s+parameters" "$work/ardour.log" | awk '{print $4}')
    if [ -n "$count" ] && [ "$count" -ge "$2" ]; then
        echo "ok      $1 loads in Ardour ($count parameters or ports)"
    else
        echo "FAILED  $1 did not load in Ardour"
        failed=1
    fi
done
[ "$failed" -eq 0 ] || { tail -30 "$work/ardour.log"; tail -10 "$work/scan.log"; exit 1; }
echo "ardour formats: 2 passed, 0 failed"
