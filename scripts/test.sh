#!/usr/bin/env bash
# Installs what is missing, builds everything with the sanitizers and runs
# every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DSELV_SANITIZE=ON -DSELV_TESTS=ON -DSELV_BENCH=ON -DCMAKE_CXX_FLAGS_DEBUG="-g -O1"
cmake --build "$top/build/test" -j "$jobs"
cd "$top/build/test"
ctest --output-on-failure -j "$jobs" "$@"
