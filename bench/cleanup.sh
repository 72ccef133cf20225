#!/usr/bin/env bash
# Junk measurement and cleaning against a bare walk and "rd /s /q"; run by ./dev bench.
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/tests/wine/env.sh"
echo "== junk cleanup (20,000 files in 2,000 folders in the temporary folder)"
timeout --kill-after=5 900 "$PREPKIT_WINE" "$PREPKIT_TEST_BUILD/bench/cleanup_bench.exe" "${BENCH_RUNS:-3}"
