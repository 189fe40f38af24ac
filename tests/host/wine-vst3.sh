#!/usr/bin/env bash
# The Windows x64 VST3 plug-in (tools/build-windows) in our VST3 test host
# (tests/host/Zd8Vst3Host.cpp, on the VST3 SDK's interfaces), both run under wine64: the
# module loads, hands out its factory, its component and controller are created,
# connected and initialised, show the 2314 parameters, hand out and take back their
# state, process blocks and terminate.
# Usage: wine-vst3.sh windows-build-folder work-folder
# Exit code 77 (skipped) where wine64 or the Windows build is missing.
set -euo pipefail
win_build=$(realpath -m "$1")
work=$(realpath -m "$2")
. "$(dirname "$0")/wine-common.sh"

bundle=$win_build/vst3/BrisvaneZD8.vst3
host=$win_build/zd8-vst3-host.exe
wine_missing || { echo "skipped"; exit 77; }
if [ ! -d "$bundle" ] || [ ! -f "$host" ]; then
    echo "no Windows build in $win_build (tools/build-windows): skipped"
    exit 77
fi
wine_start "$work"

echo "plug-in: $bundle"
set +e
# A hang ends here, so that the cleanup still stops wine and Xvfb.
timeout --kill-after=5 120 "$wine" "$(to_windows "$host")" "$(to_windows "$bundle")" 2>"$work/wine-stderr.log" | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
    [ "$status" -ne 124 ] || echo "zd8-vst3-host.exe hung: stopped after 120 s"
    echo "zd8-vst3-host.exe failed with code $status; wine's messages:"
    tail -20 "$work/wine-stderr.log"
fi
exit "$status"
