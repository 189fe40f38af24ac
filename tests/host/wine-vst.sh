#!/usr/bin/env bash
# The Windows x64 VST 2 plug-in (tools/build-windows) in our VST 2 test host, both run
# under wine64: the DLL loads through VSTPluginMain, reports its parameters, programs and
# pins, hands over and takes back both chunks, processes blocks, and sends the program
# selects the host's writes ask for to the instrument (the simulator, as demo device).
# Usage: wine-vst.sh windows-build-folder work-folder
# Exit code 77 (skipped) where wine64 or the Windows build is missing.
set -euo pipefail
win_build=$(realpath -m "$1")
work=$(realpath -m "$2")
. "$(dirname "$0")/wine-common.sh"

dll=$(find "$win_build/vst" -maxdepth 1 -name '*.dll' ! -name 'zlib1.dll' 2>/dev/null | head -1 || true)
host=$win_build/zd8-vst-host.exe
wine_missing || { echo "skipped"; exit 77; }
if [ -z "$dll" ] || [ ! -f "$host" ]; then
    echo "no Windows build in $win_build (tools/build-windows): skipped"
    exit 77
fi
wine_start "$work"

echo "plug-in: $dll"
# The instrument simulator comes along as the plug-in's demo device and logs what reaches
# it (a Windows path: the plug-in and the host read it as one); the host points the
# plug-in's port file at it.
export ZD8_DEMO_DEVICE=1 ZD8_DEMO_DEVICE_LOG="$(to_windows "$work/demo-device.log")"
set +e
# A hang ends here, so that the cleanup below still stops wine and Xvfb.
timeout --kill-after=5 120 "$wine" "$(to_windows "$host")" "$(to_windows "$dll")" 2>"$work/wine-stderr.log" | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
    [ "$status" -ne 124 ] || echo "zd8-vst-host.exe hung: stopped after 120 s"
    echo "zd8-vst-host.exe failed with code $status; wine's messages:"
    tail -20 "$work/wine-stderr.log"
fi
exit "$status"
