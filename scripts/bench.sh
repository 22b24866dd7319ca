#!/usr/bin/env bash
# usage: scripts/bench.sh <benchmark> [args...]
# Runs one benchmark of build/win under Wine in a virtual display, with its own
# persistent Wine server for the run, and prints the machine's load before and
# after: figures from a loaded machine are read with that in mind.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
pelmora_wine_prefix >/dev/null
# The desktop process must start inside the virtual display, under its server.
pelmora_wineserver -w || true
exe="build/win/bench/$1.exe"
shift
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
# A virtual machine that halts an idle CPU at once (guest halt polling 0 ns)
# wakes it through the host at every Wine server round trip: programs that make
# many of them then measure up to several times slower, and unevenly.
poll=/sys/module/haltpoll/parameters/guest_halt_poll_ns
if [ -r "$poll" ]; then echo "guest halt polling: $(cat "$poll") ns"; fi
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    . scripts/wine-env.sh
    pelmora_wineserver -p10
    pelmora_wine "$@"' _ "$exe" "$@"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
pelmora_wineserver -w || true
