#!/usr/bin/env bash
# Builds the image walker's fuzzer with clang (build/fuzz) and runs it; any
# finding fails. Seeds: the images the builds produce.
#   fuzz.sh [SECONDS]   (60 by default)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
seconds="${1:-60}"
out="$ROOT/build/fuzz"
mkdir -p "$out/seeds" "$out/corpus" "$out/findings"

fuzzer="$out/pe_image_fuzz"
sources=("$ROOT/loader/pe_image.cpp" "$ROOT/fuzz/pe_image_fuzz.cpp")
if [ ! -x "$fuzzer" ] || [ -n "$(find "${sources[@]}" "$ROOT/loader/pe_image.h" -newer "$fuzzer")" ]; then
  clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$ROOT" "${sources[@]}" -o "$fuzzer"
fi

shopt -s nullglob
for seed in "$ROOT"/build/*/fixtures/*.dll "$ROOT"/build/*/fixtures/*.exe "$ROOT"/build/*/skin/*.dll; do
  cp -f "$seed" "$out/seeds/$(basename "$(dirname "$(dirname "$seed")")")-$(basename "$seed")"
done
[ -n "$(ls "$out/seeds")" ] || echo "fuzz: no built images to seed from (run ./dev build first)"

cd "$out"
set +e
"$fuzzer" -max_total_time="$seconds" -max_len=131072 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$out/findings/" "$out/corpus" "$out/seeds" >"$out/last-run.log" 2>&1
status=$?
set -e
grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added|==[0-9]+==|SUMMARY|Test unit written)" \
  "$out/last-run.log" || true
if [ "$status" -ne 0 ]; then
  echo "fuzz: FINDING (exit $status); log in $out/last-run.log, input in $out/findings/"
  exit 1
fi
echo "fuzz: no findings in ${seconds} s"
