#!/usr/bin/env bash
# The Windows installer (tools/package-windows) as a user runs it, silently, under wine64
# in a wine prefix of its own: every file lands where it should (the VST 2 DLL in the
# VST 2 folder, the VST3 bundle in the common VST3 folder, the Standalone with its
# Start-menu entry, the uninstaller in Add/Remove Programs), the same bytes as the .zip
# holds; the uninstaller then removes all of it, registry keys included. Twice: with the
# default folders, and with folders given on the command line (/VST2DIR=, /D=).
# Usage: wine-installer.sh windows-build-folder work-folder
# Exit code 77 (skipped) where wine64 or the installer is missing.
set -euo pipefail
win_build=$(realpath -m "$1")
work=$(realpath -m "$2")
. "$(dirname "$0")/wine-common.sh"

setup=$(find "$win_build/dist" -maxdepth 1 -name 'ZD8-*-win64-setup.exe' 2>/dev/null | head -1 || true)
stage=$win_build/dist/stage
wine_missing || { echo "skipped"; exit 77; }
if [ -z "$setup" ] || [ ! -d "$stage" ]; then
    echo "no installer in $win_build/dist (tools/build-windows): skipped"
    exit 77
fi

# A fresh prefix for each run: the checks see only what this installer did.
rm -rf "$work/wineprefix"
wine_start "$work"
drive=$WINEPREFIX/drive_c
started=$(date +%s)
"$wine" wineboot --init >"$work/wineboot.log" 2>&1
"$wineserver" -w
echo "wine prefix made in $(($(date +%s) - started)) s"

failed=0
check() { # description command...
    local what=$1
    shift
    if "$@"; then echo "ok      $what"; else echo "FAILED  $what"; failed=1; fi
}
# wineserver writes the registry to the prefix's files when it ends.
registry_has() { "$wineserver" -w; grep -qiF "[$1]" "$WINEPREFIX/system.reg"; }
registry_lacks() { local key; for key; do ! registry_has "$key" || return 1; done; }
uninstall_key='Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\BrisvaneZD8'

run_round() { # description program-folder vst2-folder setup-arguments...
    local what=$1 program=$2 vst2=$3
    shift 3
    local started files=() f shipped
    started=$(date +%s)
    "$wine" "$(to_windows "$setup")" "$@" >"$work/setup.log" 2>&1 || true
    "$wineserver" -w
    echo "$what: installed in $(($(date +%s) - started)) s"

    files=("$program/BrisvaneZD8.exe:Standalone/BrisvaneZD8.exe"
           "$program/LICENSE.txt:LICENSE.txt"
           "$vst2/BrisvaneZD8.dll:VST2/BrisvaneZD8.dll"
           "$drive/Program Files/Common Files/VST3/BrisvaneZD8.vst3/Contents/x86_64-win/BrisvaneZD8.vst3:VST3/BrisvaneZD8.vst3/Contents/x86_64-win/BrisvaneZD8.vst3")
    for f in "${files[@]}"; do
        shipped=${f##*:}
        check "$what: ${f%:*} (the .zip's $shipped)" cmp -s "${f%:*}" "$stage/$shipped"
    done
    check "$what: the uninstaller in $program" test -f "$program/uninstall.exe"
    check "$what: the Start-menu entry" test -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Brisvane ZD8.lnk"
    check "$what: registered in Add/Remove Programs" registry_has "$uninstall_key"

    started=$(date +%s)
    "$wine" "$(to_windows "$program/uninstall.exe")" /S >"$work/uninstall.log" 2>&1 || true
    # The uninstaller runs from a copy of itself in the temporary folder: wait for all.
    "$wineserver" -w
    echo "$what: uninstalled in $(($(date +%s) - started)) s"
    local left
    left=$(find "$program" "$vst2" "$drive/Program Files/Common Files/VST3" \
        "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Brisvane ZD8.lnk" 2>/dev/null || true)
    check "$what: every file removed${left:+ (left: $(tr '\n' ' ' <<<"$left"))}" test -z "$left"
    check "$what: the registry keys removed" registry_lacks "$uninstall_key" 'Software\\Brisvane\\ZD8'

}

run_round "default folders" "$drive/Program Files/Brisvane ZD8" "$drive/Program Files/VSTPlugins" /S
run_round "chosen folders" "$drive/Tools/ZD8" "$drive/Audio/VST 2" /S '/VST2DIR=C:\Audio\VST 2' '/D=C:\Tools\ZD8'

exit $failed
