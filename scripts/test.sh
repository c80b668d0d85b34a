#!/usr/bin/env bash
# Builds everything and runs every test. Then the core alone, without Qt:
# all of its tests under the address and undefined-behaviour sanitisers (the
# core stands on its own; widths and positions read from files, any number at
# all, never overflow; nothing is used after it is freed or leaked), and the
# tests that start threads under the thread sanitiser. Last, every reader's
# fuzzer for 30 seconds on its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
step() { echo "== $1 ($(date -u +%T))"; }

step "build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C build
step "tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

step "core under ASan and UBSan"
cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRELER_WITH_QT=OFF -DTAVRELER_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
ninja -C build-core
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-core --output-on-failure -j2

# The threads: the read-ahead and the recovery store beside the document
# (all of test_document but its randomised differential, which starts no
# thread and takes minutes here), and the CSV pipe's writer. Only their test
# binaries are built.
step "threads under TSan"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRELER_WITH_QT=OFF -DTAVRELER_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer -fsanitize=thread"
ninja -C build-tsan tests/document/test_document tests/model/test_model
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
build-tsan/tests/document/test_document --gtest_brief=1 --gtest_filter='-Seeds/Differential.*'
build-tsan/tests/model/test_model --gtest_brief=1 --gtest_filter='CsvPipe.*'
unset TSAN_OPTIONS

# A crash or a blow-up past the memory limit fails the run.
step "fuzzers"
bash scripts/fuzz.sh 30
step "done"
