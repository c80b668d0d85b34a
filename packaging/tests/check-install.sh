#!/bin/sh
# An install into a temporary prefix holds every desktop file, and the
# installed editor, started offscreen, finds and opens its help there; after
# the whole tree moves, it finds it in the new place.
# usage: check-install.sh CMAKE BUILD-DIR APP-ID MIME-ICON
set -eu
cmake=$1 build=$2 appid=$3 mimeicon=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$cmake" --install "$build" --prefix "$tmp/first" >/dev/null
cd "$tmp/first"
for f in bin/tavreler bin/tavreler-cli share/tavreler/Tavrl.qhc share/tavreler/Tavrl.qch \
         "share/applications/$appid.desktop" share/mime/packages/tavreler.xml "share/metainfo/$appid.metainfo.xml" \
         share/man/man1/tavreler.1.gz share/man/man1/tavreler-cli.1.gz share/doc/tavreler/copyright \
         "share/icons/hicolor/scalable/apps/$appid.svg" "share/icons/hicolor/scalable/mimetypes/$mimeicon.svg"; do
    test -s "$f" || { echo "missing: $f"; exit 1; }
done
for px in 16 24 32 48 64 128 256; do
    for f in "share/icons/hicolor/${px}x$px/apps/$appid.png" "share/icons/hicolor/${px}x$px/mimetypes/$mimeicon.png"; do
        test -s "$f" || { echo "missing: $f"; exit 1; }
    done
done
# The manual names the help where this prefix put it; the licence is stated.
zcat share/man/man1/tavreler.1.gz | grep -q "$tmp/first/share/tavreler/Tavrl.qhc" || { echo "man page path"; exit 1; }
grep -qx "License: MIT" share/doc/tavreler/copyright || { echo "no licence"; exit 1; }
test "$(bin/tavreler-cli --version)" = "tavreler-cli $(bin/tavreler --version | cut -d' ' -f2)" || { echo "cli version"; exit 1; }
cd "$tmp"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp"
out=$("$tmp/first/bin/tavreler" --help) || { echo "$out"; exit 1; }
echo "$out" | grep -q -- "--version" || { echo "$out"; exit 1; }
echo "$out" | grep -qx "ヘルプ: $tmp/first/share/tavreler/Tavrl.qhc" || { echo "$out"; exit 1; }
mv "$tmp/first" "$tmp/moved"
out=$("$tmp/moved/bin/tavreler" --help) || { echo "$out"; exit 1; }
echo "$out" | grep -qx "ヘルプ: $tmp/moved/share/tavreler/Tavrl.qhc" || { echo "$out"; exit 1; }
# Without the help file the program says where it looked.
rm "$tmp/moved/share/tavreler/Tavrl.qch"
if out=$("$tmp/moved/bin/tavreler" --help); then echo "missing help not noticed"; exit 1; fi
echo "$out" | grep -qx "ヘルプファイルがありません：$tmp/moved/share/tavreler/Tavrl.qch" || { echo "$out"; exit 1; }
"$tmp/moved/bin/tavreler-cli" --help >/dev/null
