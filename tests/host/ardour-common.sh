# What every Ardour test does before its own steps (sourced, not run):
#   ardour_require              exit 77 (skipped) when Ardour is not installed
#   ardour_work FOLDER          an empty work folder whose home/ is $HOME
#   ardour_install FORMAT BINARY
#                               copies the plug-in where Ardour looks for it (vst2: the .so;
#                               vst3: the folder holding the binary, <bundle>.vst3/Contents/<arch>/;
#                               lv2: the bundle folder) and lets Ardour's scanner see it; sets
#                               ardour_config to the Lua line that points Ardour at it and
#                               ardour_type to its ARDOUR.PluginType name
#   ardour_session_lua          the Lua that starts the dummy backend and creates the session
#   ardour_track_lua VAR NAME TYPE
#                               the Lua that adds a MIDI track NAME and the plug-in of TYPE on
#                               it; VAR is the processor (nil when the plug-in did not load)
# The work folder is $ardour_dir after ardour_work.

ardour_require() {
    if ! command -v ardour7-lua >/dev/null; then
        echo "SKIPPED: ardour7-lua is not installed (Debian package ardour)"
        exit 77
    fi
}

ardour_work() {
    ardour_dir=$1
    rm -rf "$ardour_dir"
    mkdir -p "$ardour_dir/plugins" "$ardour_dir/home"
    export HOME="$ardour_dir/home"
}

ardour_install() {
    local format=$1 binary=$2 plugins=$ardour_dir/plugins
    ardour_config=""
    case "$format" in
        vst2)
            export LXVST_PATH="$plugins"
            cp "$binary" "$plugins/BrisvaneZD8.so"
            ardour_type=LXVST ;;
        vst3)
            cp -r "$(realpath "$binary/../..")" "$plugins/"
            ardour_config="ARDOUR.config ():set_plugin_path_vst3 (\"$plugins\")"
            ardour_type=VST3 ;;
        lv2)
            export LV2_PATH="$plugins"
            cp -r "$binary" "$plugins/"
            ardour_type=LV2 ;;
        *) echo "unknown format $format"; exit 2 ;;
    esac
    # Ardour's plug-in cache compares whole-second modification times.
    find "$plugins" -exec touch -d '2026-01-01 00:00:00' {} +
    # Headless, Ardour only reads its plug-in cache: the scanner fills it.
    case "$format" in
        vst2) LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst-scanner "$plugins/BrisvaneZD8.so" >>"$ardour_dir/scan.log" 2>&1 || true ;;
        vst3) LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner "$plugins/"*.vst3 >>"$ardour_dir/scan.log" 2>&1 || true ;;
    esac
}

ardour_session_lua() {
    cat <<LUA
AudioEngine:set_backend ("None (Dummy)", "", "")
local s = create_session ("$ardour_dir/session", "zd8", 48000)
assert (s, "could not create the session")
LUA
}

ardour_track_lua() {
    local var=$1 name=$2 type=$3
    cat <<LUA
local $var
do
    local tracks = Session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1), ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), true, ARDOUR.PluginInfo (), nil, nil, 1, "$name", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false)
    local loaded = ARDOUR.LuaAPI.new_plugin (Session, "Brisvane VST", ARDOUR.PluginType.$type, "")
    if not loaded:isnil () then
        tracks:front ():add_processor_by_index (loaded, 0, nil, true)
        $var = loaded
    end
end
LUA
}
