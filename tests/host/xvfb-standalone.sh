# The Standalone in an X server of its own (Xvfb), with the instrument simulator on both
# ports: the start-up shared by the host tests and the README's screenshots. Sourced:
#
#   . tests/host/xvfb-standalone.sh
#   xvfb_standalone_start standalone-binary work-folder screen-folder
#
# The Standalone's home (and with it the plug-in's folder) is work-folder/home, made
# fresh: the built-in banks and a port file naming the simulator for input and output.
# Xvfb keeps its screen in screen-folder/Xvfb_screen0 (-fbdir), so that its pixels can
# be read. Afterwards DISPLAY and HOME point at them, and these are set:
#   xvfb_pid, app_pid   the two processes (xvfb_standalone_stop ends them; it runs at exit)
#   window              the X id of the Standalone's window, once it shows
#   X Y WIDTH HEIGHT    that window's place and size
#   border top          where the editor (1028 x 730 at first opening) lies inside it:
#                       left and right border, and the title bar's height
# ZD8_DEMO_DEVICE_LOG, when exported before, names the file where the simulator's side
# logs each message it hears (one line of hex bytes each).
# On failure it prints "FAIL: ..." with the Standalone's output and returns 1.

xvfb_pid="" app_pid="" window=""

# The tools the start-up needs; prints the first one missing and returns 1.
xvfb_standalone_missing_tool() {
    local tool
    for tool in Xvfb xdotool "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool is not installed"
            return 1
        fi
    done
}

# Either may have ended already (the smoke test closes the Standalone itself).
xvfb_standalone_stop() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}

xvfb_standalone_start() {
    local app=$1 work=$2 screen=$3
    export HOME="$work/home"
    local folder="$HOME/.config/Vantor ZD8"
    mkdir -p "$folder" "$screen"
    printf 'ZD8 Simulator\x0fZD8 Simulator\x10NONE\x11' > "$folder/zd8ports.dat"

    # A display of our own; the number is free when its lock file is.
    local display=99
    while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 2400x1700x24 -fbdir "$screen" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    trap xvfb_standalone_stop EXIT
    export DISPLAY=":$display"
    local _
    for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

    "$app" >"$work/app.log" 2>&1 &
    app_pid=$!

    window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "Brisvane" 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        if ! kill -0 "$app_pid" 2>/dev/null; then
            echo "FAIL: the Standalone ended before showing its window"
            cat "$work/app.log"
            return 1
        fi
        sleep 0.2
    done
    if [ -z "$window" ]; then
        echo "FAIL: no window appeared"
        cat "$work/app.log"
        return 1
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    border=$(((WIDTH - 1028) / 2))
    top=$((HEIGHT - 730 - border))
    if [ "$border" -lt 0 ] || [ "$border" -gt 20 ] || [ "$top" -lt 0 ] || [ "$top" -gt 80 ]; then
        echo "FAIL: unexpected window size $WIDTH x $HEIGHT"
        return 1
    fi
}
