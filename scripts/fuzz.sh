#!/usr/bin/env bash
# Builds the fuzzers (one per reader, fuzz/fuzz_*.cpp) with clang, ASan and
# UBSan, and runs each for SECONDS (default 600) on its seeds (fuzz/corpus-NAME,
# or fuzz/corpus), two at a time. A blow-up of memory is a finding too: each
# run stops at -malloc_limit_mb. Each fuzzer's summary is printed when it
# ends (its whole output stays in build-fuzz/fuzz_NAME.log); any finding
# fails the script.
# usage: scripts/fuzz.sh [SECONDS] [NAME...]
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
if [ ${#fuzzers[@]} -eq 0 ]; then
  for src in fuzz/fuzz_*.cpp; do
    name=${src#fuzz/fuzz_}
    fuzzers+=("${name%.cpp}")
  done
fi
ninja -C "$out" "${fuzzers[@]/#/fuzz_}"

run() {
  local f=$1 seeds=fuzz/corpus-$1 log=$out/fuzz_$1.log rc=0
  [ -d "$seeds" ] || seeds=fuzz/corpus
  # from-json keeps each parsed document to the exit by design (one per
  # process in the tool), which in-process fuzzing sees as a leak per input.
  local leaks=1
  [ "$f" = json ] && leaks=0
  mkdir -p "$out/corpus-$f"
  ASAN_OPTIONS="detect_leaks=$leaks" "$out/fuzz/fuzz_$f" -max_total_time="$seconds" -max_len=65536 -malloc_limit_mb=2048 \
    -rss_limit_mb=3072 -timeout=30 -detect_leaks=$leaks -print_final_stats=1 "$out/corpus-$f" "$seeds" >"$log" 2>&1 ||
    rc=$?
  # One block per fuzzer, written at once, so that two at a time stay readable.
  {
    echo "== fuzz_$f for ${seconds}s on $seeds"
    grep -E '^(==|INFO: seed|stat::number_of_executed_units|Done)|ERROR|SUMMARY' "$log" || true
    [ "$rc" -eq 0 ] || echo "fuzz_$f found a fault (exit $rc; the input and stack are in $log)"
  } >"$log.summary"
  cat "$log.summary"
  return "$rc"
}

failed=0
running=()
for f in "${fuzzers[@]}"; do
  run "$f" &
  running+=($!)
  if [ ${#running[@]} -ge 2 ]; then
    wait "${running[0]}" || failed=1
    running=("${running[@]:1}")
  fi
done
for pid in "${running[@]}"; do
  wait "$pid" || failed=1
done
exit "$failed"
