#!/usr/bin/env bash
# The LV2 plug-in in real LV2 hosts: lilv reads its bundle (lv2info), and jalv runs it
# as a JACK client on jackd's dummy driver (no sound card) for a few seconds, then is
# told to quit; it must have loaded the plug-in and quit cleanly.
# Usage: lv2-jalv.sh bundle-folder work-folder
# Exit 77 (skipped) when jalv, jackd or lv2info is missing.
set -euo pipefail

bundle=$1 work=$2
uri="https://brisvane.invalid/plugins/zd8"
for tool in jalv jackd lv2info; do
    if ! command -v $tool >/dev/null; then
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done

rm -rf "$work"
mkdir -p "$work/lv2" "$work/home"
export HOME="$work/home"
cp -r "$bundle" "$work/lv2/"
export LV2_PATH="$work/lv2"

# lilv must find the plug-in with its MIDI ports and its 2314 parameters.
lv2info "$uri" >"$work/lv2info.txt" 2>&1 || { cat "$work/lv2info.txt"; echo "FAIL: lv2info does not know $uri"; exit 1; }
grep -q "Brisvane VST" "$work/lv2info.txt" || { head -40 "$work/lv2info.txt"; echo "FAIL: wrong plug-in name"; exit 1; }
# The MIDI ports are an atom input and an atom output that carry MIDI events; the
# slots are patch parameters (lv2:Parameter) of the plug-in's description.
# lv2info lists each port's types on the lines under "Port N:", in no fixed order.
atom_ports() { # InputPort|OutputPort
    awk -v dir="#$1" '/^\tPort [0-9]+:/ { if (atom && io) n++; atom = io = 0 }
        /#AtomPort/ { atom = 1 } index ($0, dir) { io = 1 }
        END { if (atom && io) n++; print n + 0 }' "$work/lv2info.txt"
}
atoms_in=$(atom_ports InputPort)
atoms_out=$(atom_ports OutputPort)
midi=$(grep -c "midi:MidiEvent" "$work/lv2/$(basename "$bundle")/dsp.ttl" || true)
parameters=$(grep -c "a lv2:Parameter" "$work/lv2/$(basename "$bundle")/dsp.ttl" || true)
echo "lv2info: $atoms_in atom input, $atoms_out atom output, $midi MIDI event types, $parameters parameters"
if [ "$atoms_in" -ne 1 ] || [ "$atoms_out" -ne 1 ] || [ "$midi" -lt 2 ]; then
    echo "FAIL: the plug-in has no MIDI input and output port"
    exit 1
fi
[ "$parameters" -eq 2314 ] || { echo "FAIL: $parameters parameters instead of 2314"; exit 1; }
# Hosts know a parameter by its IRI: two slots under one IRI are one parameter to them
# (its automation and saved value land on whichever comes first).
iris=$(grep -B1 "a lv2:Parameter" "$work/lv2/$(basename "$bundle")/dsp.ttl" | grep "^plug:" | sort -u | wc -l)
[ "$iris" -eq 2314 ] || { echo "FAIL: the 2314 parameters have $iris distinct IRIs"; exit 1; }

# A JACK server of our own on the dummy driver.
export JACK_DEFAULT_SERVER="zd8test$$"
jackd --no-realtime -d dummy -r 48000 -p 512 >"$work/jackd.log" 2>&1 &
jack=$!
cleanup() { kill "$jalv_pid" 2>/dev/null || true; kill "$jack" 2>/dev/null || true; wait 2>/dev/null || true; }
jalv_pid=""
trap cleanup EXIT
sleep 1.5
kill -0 "$jack" 2>/dev/null || { cat "$work/jackd.log"; echo "FAIL: jackd did not start"; exit 1; }

# jalv reads commands from its standard input; "quit" after a few seconds of running.
(sleep 4; echo quit) | jalv -n zd8 "$uri" >"$work/jalv.log" 2>&1 &
jalv_pid=$!
for _ in $(seq 100); do
    kill -0 "$jalv_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$jalv_pid" 2>/dev/null; then
    kill "$jalv_pid"
    cat "$work/jalv.log"
    echo "FAIL: jalv did not quit"
    exit 1
fi
wait "$jalv_pid" && status=0 || status=$?
if [ "$status" -ne 0 ] || ! grep -q "Plugin:.*$uri" "$work/jalv.log"; then
    cat "$work/jalv.log"
    echo "FAIL: jalv exited with $status or did not load the plug-in"
    exit 1
fi
echo "LV2 plug-in read by lilv and run by jalv on jackd's dummy driver"
