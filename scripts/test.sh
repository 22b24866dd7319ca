#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test:
# host tests, host tests under ASan+UBSan, a bounded fuzz run, Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
jobs=$(nproc)

scripts/install-prereqs.sh
. scripts/wine-env.sh
# Before minutes of host stages: can this machine run Windows programs at all?
pelmora_wine_prefix
# The DPI test sets the desktop's LogPixels and puts them back; a run killed
# in the middle of it would leave them for every later run.
pelmora_wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true

step() { echo; echo "=== $* ==="; }

# GoogleTest cases that passed in a build's last ctest run (ctest counts executables).
gtest_count() {
    grep -ho '^\[  PASSED  \] [0-9]* test' "$1/Testing/Temporary/LastTest.log" | awk '{s += $4} END {print s + 0}'
}

step "Host build and tests"
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host -j "$jobs"
ctest --test-dir build/host --output-on-failure

step "Host tests under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DPELMORA_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure

# Runs one fuzzer for a bounded time; fails on its exit status or an error in its log.
fuzz() {
    local name=$1 corpus=build/fuzz/corpus-$1 log=build/fuzz/$1.log status=0
    rm -rf "$corpus" && mkdir -p "$corpus" && cp "fuzz/corpus/$name"/* "$corpus/"
    "build/fuzz/fuzz/$name" -max_total_time="${PELMORA_FUZZ_SECONDS:-60}" -print_final_stats=1 \
        "$corpus" >"$log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)' "$log" || true
    if [ "$status" -ne 0 ] || grep -qE '^==[0-9]+==ERROR|^SUMMARY: |deadly signal' "$log"; then
        tail -n 40 "$log" >&2
        echo "Fuzzer $name failed (exit status $status); its log: $log" >&2
        return 1
    fi
}

step "Fuzzing the readers (bounded)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMORA_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
for f in fuzz/corpus/*/; do fuzz "$(basename "$f")"; done

step "Windows build and tests under Wine"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$jobs"
# One Wine server for the whole run, started inside the virtual display (Wine's
# desktop process takes the display of the server's first program), so no test
# starts while the server of the one before shuts down. It stays up 10 s after
# the last test, and the run waits for it to end by itself: no other run's
# processes are killed. Wine's own errors stay visible in the tests' output,
# so a program that fails before it prints anything still says why.
pelmora_wineserver -w || true
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    . scripts/wine-env.sh
    export WINEDEBUG=err+all,fixme-all
    pelmora_wineserver -p10
    export PELMORA_WINE_READY="$WINEPREFIX"
    ctest --test-dir build/win --output-on-failure' || status=$?
timeout 120 "$WINESERVER" -w || echo "The Wine server did not end within 2 minutes after the tests" >&2
[ "$status" -eq 0 ] || exit "$status"

host=$(gtest_count build/host); asan=$(gtest_count build/asan); win=$(gtest_count build/win)
echo
echo "GoogleTest cases passed: host $host, host with sanitizers $asan, Windows under Wine $win"
if [ "$host" -eq 0 ] || [ "$asan" -eq 0 ] || [ "$win" -eq 0 ]; then
    echo "A build ran no test: something is wrong with the test set-up" >&2
    exit 1
fi
echo "All tests passed in $(( $(date +%s) - start )) s"
echo "$((host + asan + win)) passed, 0 failed"
