#!/usr/bin/env bash
# Builds the fuzzers (one per reader) with clang, ASan and UBSan, and runs
# each for SECONDS (default 600) on its seed corpus. A blow-up of memory is a
# finding too: each run stops at -malloc_limit_mb.
# usage: scripts/fuzz.sh [SECONDS] [FUZZER...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
out=build-fuzz
flags="-g -O1 -fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined"
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTAVRELER_WITH_QT=OFF -DTAVRELER_TESTS=OFF -DTAVRELER_BENCH=OFF -DTAVRELER_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
fuzzers=("$@")
[ ${#fuzzers[@]} -eq 0 ] && fuzzers=(sheet csv row info json export)
ninja -C "$out" "${fuzzers[@]/#/fuzz_}"
declare -A corpus=([sheet]=corpus [export]=corpus [csv]=corpus-csv [row]=corpus-row
                   [info]=corpus-info [json]=corpus-json)
for f in "${fuzzers[@]}"; do
  run="$out/corpus-$f"
  mkdir -p "$run"
  echo "== fuzz_$f for ${seconds}s"
  "$out/fuzz_$f" -max_total_time="$seconds" -max_len=65536 -malloc_limit_mb=2048 \
    -rss_limit_mb=3072 -timeout=30 -print_final_stats=1 "$run" "fuzz/${corpus[$f]}" 2>&1 |
    grep -E '^(==|INFO: seed|stat::number_of_executed_units|Done)|ERROR|SUMMARY' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz_$f found a fault"; exit 1; }
done
