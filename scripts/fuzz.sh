#!/usr/bin/env bash
# Builds the sheet-reader fuzzer with clang, ASan and UBSan and runs it.
# usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out" fuzz/corpus-run
srcs=(src/fw/*.cpp src/model/*.cpp)
clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc fuzz/fuzz_sheet.cpp "${srcs[@]}" -o "$out/fuzz_sheet"
"$out/fuzz_sheet" -max_total_time="${1:-600}" -max_len=4096 fuzz/corpus-run fuzz/corpus
