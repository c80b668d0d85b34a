#!/bin/sh
# The manual pages format without a single warning.
# usage: check-man.sh GROFF PAGE...
set -eu
groff=$1
shift
for page in "$@"; do
    out=$("$groff" -man -Tutf8 -ww -z "$page" 2>&1)
    if [ -n "$out" ]; then
        echo "$page:"; echo "$out"; exit 1
    fi
done
