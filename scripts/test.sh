#!/usr/bin/env bash
# Builds everything and runs every test; then builds the core alone, without
# Qt and under the undefined-behaviour sanitiser, and runs its tests again:
# the core stands on its own, and widths and positions read from files (any
# number at all) never overflow.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRELER_WITH_QT=OFF -DTAVRELER_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -fsanitize=undefined -fno-sanitize-recover=undefined"
ninja -C build-core
UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-core --output-on-failure -j2

# Every reader's fuzzer for a few seconds on its seed corpus (about two
# minutes with the instrumented build): a crash or a blow-up past the
# memory limit fails the run.
bash scripts/fuzz.sh 10
