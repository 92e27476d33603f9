#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Fails on the first crash, leak or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-60}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DZOR_FUZZ=ON
cmake --build build-fuzz -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
ROOT=$PWD
shopt -s nullglob
for target in build-fuzz/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  mkdir -p "$work/corpus"
  seeds="fuzz/corpus/${name#fuzz_}"
  if [ -d "$seeds" ]; then cp -r "$seeds"/. "$work/corpus"/; fi
  echo "== $name for ${SECONDS_EACH}s"
  status=0
  (cd "$work" && "$ROOT/$target" -max_total_time="$SECONDS_EACH" -timeout=10 \
     -rss_limit_mb=2048 -print_final_stats=1 corpus >"$work/log" 2>&1) || status=$?
  tail -n 25 "$work/log"
  rm -rf "$work"
  [ "$status" -eq 0 ] || { echo "fuzz target $name failed"; exit 1; }
done
