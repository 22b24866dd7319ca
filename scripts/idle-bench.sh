#!/usr/bin/env bash
# usage: scripts/idle-bench.sh
# Runs build/win/bench/idle_bench.exe, which starts pelmora.exe (with its real
# hook library) and the bare one-window program and leaves both alone for a
# minute, and reads from /proc what each process did meanwhile: processor
# time, and how often its threads woke up (a timer or a polling loop shows as
# wake-ups; the bare program shows what Wine's own machinery costs).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
pelmora_wine_prefix >/dev/null
pelmora_wineserver -w || true
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    . scripts/wine-env.sh
    pelmora_wineserver -p10
    log=$(mktemp)
    pelmora_wine build/win/bench/idle_bench.exe >"$log" 2>/dev/null &
    until grep -q "idle from now\|did not start" "$log"; do sleep 0.2; done
    folder=$(sed -n "s/^idle from now: .*\\\\\(pelmora-e2e-[^\\\\]*\)\\\\.*/\1/p" "$log" | tr -d "\r")
    [ -n "$folder" ] || { cat "$log"; exit 1; }
    # The Linux processes of this prefix whose command line ends in the
    # program (Wine shows the Windows path there).
    find_pid() {
        for p in /proc/[0-9]*; do
            { tr "\0" "\n" <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null || continue
            { tr "\0" " " <"$p/cmdline" | grep -qi "$1 *$"; } 2>/dev/null && echo "${p#/proc/}"
        done | head -1
    }
    pelmora=$(find_pid "$folder\\\\pelmora.exe")
    bare=$(find_pid "bare_program.exe")
    [ -n "$pelmora" ] && [ -n "$bare" ] || { echo "processes not found ($pelmora, $bare)"; exit 1; }
    # Processor ticks (user + system), the wake-ups of all threads, the threads.
    sample() {
        local ticks wakes=0
        ticks=$(awk "{print \$14 + \$15}" /proc/$1/stat)
        for t in /proc/$1/task/*; do
            wakes=$((wakes + $(awk "/ctxt_switches/ {s += \$2} END {print s}" $t/status)))
        done
        echo "$ticks $wakes $(ls /proc/$1/task | wc -l)"
    }
    read -r pt0 pw0 pn0 < <(sample $pelmora)
    read -r bt0 bw0 bn0 < <(sample $bare)
    until grep -q "idle over" "$log"; do sleep 0.5; done
    read -r pt1 pw1 pn1 < <(sample $pelmora)
    read -r bt1 bw1 bn1 < <(sample $bare)
    hz=$(getconf CLK_TCK)
    echo "left alone for 60 s (processor time at 1/$hz s resolution):"
    echo "  pelmora.exe: processor time $(( (pt1 - pt0) * 1000 / hz )) ms, $((pw1 - pw0)) wake-ups, $pn1 threads"
    echo "  bare:        processor time $(( (bt1 - bt0) * 1000 / hz )) ms, $((bw1 - bw0)) wake-ups, $bn1 threads"
    wait
    rm -f "$log"'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
pelmora_wineserver -w || true
