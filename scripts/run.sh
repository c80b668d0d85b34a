#!/usr/bin/env bash
# Builds the program and starts it (the editor once it is built, otherwise the
# command-line tool with the given arguments).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build
if [ -x build/tavreler ]; then
  exec build/tavreler "$@"
fi
exec build/tavreler-cli "${@:---help}"
