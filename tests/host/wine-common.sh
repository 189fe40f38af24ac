# What the wine tests share (sourced): wine64 and its server, a wine prefix in the work
# folder, and an X server of our own (Xvfb) on DISPLAY, stopped with wine at exit.
#
#   . tests/host/wine-common.sh
#   wine_start work-folder [screen-folder]
#
# Without a display wine waits about ten seconds at start-up: the Xvfb avoids that, and
# the window tests draw on it. With a screen folder Xvfb keeps its screen there as an
# X window dump (Xvfb_screen0, -fbdir) whose pixels can be read. Afterwards:
#   wine, wineserver   the programs; WINEPREFIX, DISPLAY exported; xvfb_pid set.
# wine_missing prints why the wine tests cannot run here and returns 1 (skip with 77).

wine=${WINE64:-/usr/lib/wine/wine64}
wineserver=$(dirname "$wine")/wineserver
xvfb_pid=""

wine_missing() {
    if [ ! -x "$wine" ]; then
        echo "wine64 is not installed"
        return 1
    fi
    return 0
}

wine_stop() {
    "$wineserver" -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}

wine_start() {
    local work=$1 screen=${2:-}
    mkdir -p "$work"
    # The plug-in's application-data folder lives inside the prefix.
    export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    trap wine_stop EXIT
    command -v Xvfb >/dev/null || { unset DISPLAY; return 0; }
    local fbdir=() n _
    [ -z "$screen" ] || { mkdir -p "$screen"; fbdir=(-fbdir "$screen"); }
    for n in $(seq 140 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -nolisten tcp -screen 0 1280x1024x24 "${fbdir[@]}" >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
        xvfb_pid=""
    done
    unset DISPLAY
}

# wine maps the root folder to drive Z:.
to_windows() { local p=${1//\//\\}; echo "Z:$p"; }
