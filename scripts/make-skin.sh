#!/usr/bin/env bash
# Repaints the skin bitmaps (resources/skin/<id>.png) from their sources in
# resources/artwork. Commit the changed PNGs together with the source change.
#
#   scripts/make-skin.sh [build-dir] [--preview <folder>]
#
# --preview also writes skin-preview*.png (the main window, the about box and
# a zoomed sheet of every face) into <folder>, for looking at the result.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-skin"
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
  build=$1
  shift
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target make-skin
"$build/tools/make-skin" "$root/resources/skin" "$@"
echo "skin written to $root/resources/skin ($(du -sh "$root/resources/skin" | cut -f1))"
