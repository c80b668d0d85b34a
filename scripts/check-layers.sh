#!/usr/bin/env bash
# Fails when a source file includes a folder above its own layer. Layers,
# lowest first; a folder may include itself and anything below it. Tests
# follow the folder they mirror; the command-line tool stands on the core.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(fw io model undo document qt res dialogs view app)
rank() {
  local i
  for i in "${!layers[@]}"; do
    [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
  done
  echo -1
}
core_top=$(rank document)
status=0
while IFS= read -r file; do
  rel=${file#src/}
  rel=${rel#tests/}
  folder=${rel%%/*}
  case "$folder" in
  cli) own=$core_top ;;
  *) own=$(rank "$folder") ;;
  esac
  [ "$own" -lt 0 ] && continue
  while IFS= read -r inc; do
    target=${inc%%/*}
    r=$(rank "$target")
    if [ "$r" -gt "$own" ]; then
      echo "$file includes \"$inc\": $target/ is above $folder/" >&2
      status=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp')
[ "$status" -eq 0 ] && echo "layers: every include points down"
exit "$status"
