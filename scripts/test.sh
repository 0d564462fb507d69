#!/usr/bin/env bash
# Installs what is missing, builds everything with the sanitizers and runs
# every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DSELV_SANITIZE=ON -DSELV_TESTS=ON -DSELV_BENCH=ON -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1"
cmake --build "$top/build/test" -j "$jobs"
# A German locale (decimal comma) for the tests that check that numbers on
# the wire and in files never follow the user's locale.
locales="$top/build/locales"
if [ ! -d "$locales/de_DE.UTF-8" ]; then
  mkdir -p "$locales"
  localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" 2>/dev/null || rm -rf "$locales/de_DE.UTF-8"
fi
[ -d "$locales/de_DE.UTF-8" ] && export LOCPATH="$locales"
cd "$top/build/test"
ctest --output-on-failure -j "$jobs" "$@"
