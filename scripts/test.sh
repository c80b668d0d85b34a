#!/usr/bin/env bash
# Builds everything and runs every test; then builds the core alone, without
# Qt, and runs its tests, so the core is proven to stand on its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRELER_WITH_QT=OFF -DTAVRELER_BENCH=OFF
ninja -C build-core
ctest --test-dir build-core --output-on-failure -j2
