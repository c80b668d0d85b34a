#!/bin/sh
# The MIME package loads into a fresh database, and there a *.tvr name
# resolves to the sheet type with its Japanese and English comments.
# usage: check-mime.sh UPDATE-MIME-DATABASE PACKAGE.xml MIME-QUERY TYPE
set -eu
update=$1 xml=$2 query=$3 type=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/mime/packages"
cp "$xml" "$tmp/mime/packages/"
"$update" "$tmp/mime"
test -s "$tmp/mime/mime.cache"
grep -q "^50:$type:\*\.tvr\$" "$tmp/mime/globs2" || { echo "globs2 lacks *.tvr -> $type"; cat "$tmp/mime/globs2"; exit 1; }
export XDG_DATA_HOME="$tmp" XDG_DATA_DIRS="$tmp"
ja=$("$query" "Sheet1.tvr" ja_JP)
en=$("$query" "/some/folder/LIST.TVR" en_US)
echo "$ja"; echo "$en"
[ "$(echo "$ja" | sed -n 1p)" = "$type" ] || { echo "Sheet1.tvr is not $type"; exit 1; }
[ "$(echo "$ja" | sed -n 2p)" = "Tavrel ﾌｧｲﾙ" ] || { echo "wrong Japanese comment"; exit 1; }
[ "$(echo "$en" | sed -n 1p)" = "$type" ] || { echo "LIST.TVR is not $type"; exit 1; }
[ "$(echo "$en" | sed -n 2p)" = "Tavreler check sheet" ] || { echo "wrong English comment"; exit 1; }
# A name that is not a sheet stays what it was.
[ "$("$query" "notes.txt" en_US | sed -n 1p)" != "$type" ]
