#!/usr/bin/env bash
# Writes the contact sheet of the program's pictures (every picture with its
# bitmap id, and the named icons) for the documentation.
#
#   scripts/picture-sheet.sh [sheet.png]      (default docs/pictures.png)
#
# SELV_BUILD_DIR names a build tree whose programs are taken as they are.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
out="$(realpath -m "${1:-$top/docs/pictures.png}")"
if [ -n "${SELV_BUILD_DIR:-}" ]; then
  build="$(realpath "$SELV_BUILD_DIR")"
else
  build="$top/build/screenshot"
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELV_TESTS=OFF >/dev/null
  cmake --build "$build" -j "$jobs" --target picture-sheet
fi
QT_QPA_PLATFORM=offscreen "$build/tools/picture-sheet/picture-sheet" "$out"
echo "$out"
