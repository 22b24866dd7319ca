#!/usr/bin/env bash
# Runs one Windows program under the project's 64-bit Wine: the CTest emulator
# and the way to start any test or benchmark by hand, e.g.
#   xvfb-run -a ctest --test-dir build/win -R e2e
#   xvfb-run -a scripts/wine.sh build/win/bench/startup_bench.exe
. "$(dirname "$0")/wine-env.sh"
pelmora_wine_prefix >&2 || exit 1
exec "$WINELOADER" "$@"
