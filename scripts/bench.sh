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
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    . scripts/wine-env.sh
    pelmora_wineserver -p10
    pelmora_wine "$@"' _ "$exe" "$@"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
pelmora_wineserver -w || true
