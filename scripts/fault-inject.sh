#!/usr/bin/env bash
# Fault injection on every write path of tavreler-cli (sheet save through
# from-json, CSV export, HTML export): kill loops, a full file system, the
# file-size limit and symbolic links. Prints one line of figures per trial.
#   bash scripts/fault-inject.sh [build/tavreler-cli] [rounds]
# The full file system needs root (a small tmpfs is mounted and unmounted).
# The sheet save is import-csv, which reads the big sheet's CSV and saves it.
set -uo pipefail
cli=$(realpath "${1:-build/tavreler-cli}")
rounds=${2:-100}
work=$(mktemp -d /tmp/tavreler-fault-XXXXXX)
trap 'umount "$work/full" 2>/dev/null; rm -rf "$work"' EXIT
cd "$work"

# A 10,000 x 100 sheet, and a small one whose exports are the "old" files.
python3 - <<'EOF'
import json
cols = [{"name": "c%d" % c} for c in range(100)]
rows = [{"name": "row %d" % r, "cells": [{"type": 1, "check": (r + c) % 2} for c in range(100)]}
        for r in range(10000)]
json.dump({"columns": cols, "rows": rows}, open("big.json", "w"))
json.dump({"columns": [{"name": "old"}], "rows": [{"name": "r"}]}, open("small.json", "w"))
EOF
"$cli" from-json big.json big.tvr && "$cli" from-json small.json small.tvr || exit 1
"$cli" export-csv big.tvr new.csv || exit 1
"$cli" import-csv new.csv new.tvr || exit 1
"$cli" export-csv small.tvr old.csv && "$cli" export-html small.tvr old.html || exit 1
"$cli" export-csv big.tvr new.csv && "$cli" export-html big.tvr new.html || exit 1
cp small.tvr old.tvr

# cmd KIND OUT: the write under test, into OUT, as the array c.
cmd() {
  case $1 in
  csv) c=("$cli" export-csv big.tvr "$2") ;;
  html) c=("$cli" export-html big.tvr "$2") ;;
  tvr) c=("$cli" import-csv new.csv "$2") ;;
  esac
}
run() { cmd "$@"; "${c[@]}"; }
leftovers() { find "$1" -maxdepth 1 -name ".$2.??????" | wc -l; }

# Kill loop: start the write, kill it with SIGKILL after a random delay
# within its running time; the file must be the old one or the whole new one.
for kind in csv html tvr; do
  n=$rounds; [ $kind = tvr ] && n=$(( (rounds + 2) / 3 )) # import and save take longest
  start=$(date +%s%N); run $kind timing.$kind; end=$(date +%s%N)
  span=$(( (end - start) / 1000 )) # microseconds
  intact=0 old=0 new=0 left=0
  for ((i = 0; i < n; i++)); do
    cp old.$kind out.$kind
    cmd $kind out.$kind; "${c[@]}" 2>/dev/null & pid=$! # the program's own process
    sleep "$(awk -v s=$span -v r=$RANDOM 'BEGIN { printf "%.6f", s * r / 32768 / 1e6 }')"
    kill -9 $pid 2>/dev/null; wait $pid 2>/dev/null
    if cmp -s out.$kind old.$kind; then ((intact++, old++))
    elif cmp -s out.$kind new.$kind; then ((intact++, new++)); fi
    left=$(( left + $(leftovers . out.$kind) ))
    find . -maxdepth 1 -name ".out.$kind.??????" -delete
  done
  echo "kill $kind: $intact of $n intact ($old old, $new new), write takes ${span} us, temporary files left by kills: $left"
done

# A later successful save removes what a killed one left.
cp old.csv out.csv; cmd csv out.csv; "${c[@]}" & pid=$!
while [ "$(leftovers . out.csv)" = 0 ]; do sleep 0.01; done
kill -9 $pid; wait $pid 2>/dev/null
before=$(leftovers . out.csv); run csv out.csv; after=$(leftovers . out.csv)
echo "leftovers of a killed export: $before before the next export, $after after it"

# Full file system: a 1 MB tmpfs holding the old file.
mkdir -p full
if mount -t tmpfs -o size=1m tmpfs full 2>/dev/null; then
  for kind in csv html tvr; do
    cp old.$kind full/out.$kind
    msg=$(run $kind full/out.$kind 2>&1); code=$?
    cmp -s full/out.$kind old.$kind && ok=intact || ok=CHANGED
    echo "full disk $kind: exit $code, old file $ok, temporary files $(leftovers full out.$kind), message: $msg"
    rm -f full/out.$kind
  done
  umount full
else
  echo "full disk: cannot mount a tmpfs here (not root?)"
fi

# File-size limit (ulimit -f, 1024-byte blocks): a message, not a signal.
for kind in csv html tvr; do
  cp old.$kind out.$kind
  msg=$( (ulimit -f 200; run $kind out.$kind) 2>&1); code=$?
  cmp -s out.$kind old.$kind && ok=intact || ok=CHANGED
  echo "file-size limit $kind: exit $code, old file $ok, temporary files $(leftovers . out.$kind), message: $msg"
done

# Symbolic links: the link stays, the file it names gets the new bytes.
mkdir -p real
for kind in csv html tvr; do
  cp old.$kind real/out.$kind; chmod 640 real/out.$kind
  ln -sf real/out.$kind link.$kind
  run $kind link.$kind; code=$?
  [ -L link.$kind ] && l=kept || l=REPLACED
  cmp -s real/out.$kind new.$kind && w=written || w=NOT-WRITTEN
  echo "link $kind: exit $code, link $l, real file $w, mode $(stat -c %a real/out.$kind)"
done
