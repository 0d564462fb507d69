#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/app" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELV_TESTS=OFF
cmake --build "$top/build/app" -j "$jobs" --target selvantis
exec "$top/build/app/src/selvantis" "$@"
