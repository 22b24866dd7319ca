#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test:
# host tests, host tests under ASan+UBSan, a bounded fuzz run, Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
jobs=$(nproc)

scripts/install-prereqs.sh
. scripts/wine-env.sh

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

step "Fuzzing the settings reader (bounded)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELMORA_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
rm -rf build/fuzz/corpus && mkdir -p build/fuzz/corpus && cp fuzz/corpus/* build/fuzz/corpus/
build/fuzz/fuzz/fuzz_setting -max_total_time="${PELMORA_FUZZ_SECONDS:-60}" -print_final_stats=1 \
    build/fuzz/corpus 2>&1 | grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE|==[0-9]+==ERROR)' || true
test "${PIPESTATUS[0]}" -eq 0

step "Windows build and tests under Wine"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j "$jobs"
pelmora_wine_prefix
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build/win --output-on-failure
wineserver -k 2>/dev/null || true

host=$(gtest_count build/host); asan=$(gtest_count build/asan); win=$(gtest_count build/win)
echo
echo "GoogleTest cases passed: host $host, host with sanitizers $asan, Windows under Wine $win"
if [ "$host" -eq 0 ] || [ "$asan" -eq 0 ] || [ "$win" -eq 0 ]; then
    echo "A build ran no test: something is wrong with the test set-up" >&2
    exit 1
fi
echo "All tests passed in $(( $(date +%s) - start )) s"
echo "$((host + asan + win)) passed, 0 failed"
