#!/usr/bin/env bash
# The VST3 and LV2 builds in Ardour 7, headless (ardour7-lua, dummy audio backend): each
# loads on a MIDI track (VST3 with the plug-in's 2314 parameters).
# Usage: ardour-formats.sh vst3-binary-folder lv2-bundle work-folder
# (the VST3 binary lies in <bundle>.vst3/Contents/<architecture>/)
# Exit 77 (skipped) when Ardour is not installed.
set -euo pipefail

vst3=$(realpath "$1/../..") lv2=$2 work=$3
if ! command -v ardour7-lua >/dev/null; then
    echo "SKIPPED: ardour7-lua is not installed (Debian package ardour)"
    exit 77
fi

rm -rf "$work"
mkdir -p "$work/vst3" "$work/lv2" "$work/home"
export HOME="$work/home"
cp -r "$vst3" "$work/vst3/"
cp -r "$lv2" "$work/lv2/"
export LV2_PATH="$work/lv2"
# Ardour's plug-in cache compares whole-second modification times.
find "$work/vst3" "$work/lv2" -exec touch -d '2026-01-01 00:00:00' {} +
bundle="$work/vst3/$(basename "$vst3")"
LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner "$bundle" >"$work/scan.log" 2>&1 || true

cat > "$work/formats.lua" <<LUA
ARDOUR.config ():set_plugin_path_vst3 ("$work/vst3")
AudioEngine:set_backend ("None (Dummy)", "", "")
local s = create_session ("$work/session", "zd8", 48000)
assert (s, "could not create the session")
for _, kind in ipairs ({ { "VST3", ARDOUR.PluginType.VST3 }, { "LV2", ARDOUR.PluginType.LV2 } }) do
    local tracks = Session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1), ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), true, ARDOUR.PluginInfo (), nil, nil, 1, "ZD8 " .. kind[1], ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false)
    local p = ARDOUR.LuaAPI.new_plugin (Session, "Brisvane VST", kind[2], "")
    if p:isnil () then
        print ("missing", kind[1])
    else
        tracks:front ():add_processor_by_index (p, 0, nil, true)
        print ("loaded", kind[1], "parameters", p:to_insert ():plugin (0):parameter_count ())
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
[ "$failed" -eq 0 ] || { tail -30 "$work/ardour.log"; cat "$work/scan.log" | tail -10; exit 1; }
echo "ardour formats: 2 passed, 0 failed"
