#!/usr/bin/env bash
# Runs one Windows program under the project's 64-bit Wine: the CTest emulator
# and the way to start any test or benchmark by hand, e.g.
#   xvfb-run -a ctest --test-dir build/win -R e2e
#   xvfb-run -a scripts/wine.sh build/win/bench/startup_bench.exe
. "$(dirname "$0")/wine-env.sh"
pelmora_wine_prefix >&2 || exit 1
# Wine now and then fails to start a program at all: it cannot map the new
# process's shared memory, prints "failed to map the shared user data" (with
# its error channel on) and the program never runs, leaving an empty log. And
# now and then the system's loader aborts a Wine process as it ends
# ("Inconsistency detected by ld.so: dl-fini.c"), taking with it the helper
# processes a test talks to. Such a run is made again, at most twice; any other
# failure stands as it is.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for attempt in 1 2 3; do
    status=0
    "$WINELOADER" "$@" 2> >(tee "$log" >&2) || status=$?
    wait $! 2>/dev/null || true
    if [ "$status" -ne 0 ] && [ "$attempt" -lt 3 ] && grep -qE "failed to map the shared user data|Inconsistency detected by ld\.so" "$log"; then
        echo "Wine could not start $1; starting it again" >&2
        continue
    fi
    exit "$status"
done
