#!/usr/bin/env bash
# The whole check, as CI runs it (.ci/run). Installs what is missing, then:
#  1. builds everything with clang into build/test: AddressSanitizer and
#     UndefinedBehaviorSanitizer, the tests, the benchmarks and the fuzz
#     targets, warnings as errors;
#  2. runs every test there with ctest, the fuzz targets on their corpora
#     included; arguments go to ctest (e.g. -R link);
#  3. beside the tests, at the lowest priority, builds everything once more
#     with GCC into build/gcc (no sanitizers, no optimisation, no debug
#     information), warnings as errors: it only has to compile.
# SELV_GCC_CHECK=0 leaves step 3 out for a quicker run of one's own.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$top/scripts/deps.sh"

fail() {
  echo "" >&2
  echo "==== FAILED: $*" >&2
  exit 1
}

# A tree configured before with another compiler is configured anew.
configure() {  # $1: build folder, $2: compiler, then cmake options
  local dir="$1" cxx="$2"
  shift 2
  if [ -f "$dir/CMakeCache.txt" ] &&
    ! grep -q "^CMAKE_CXX_COMPILER:[A-Z]*=.*/$cxx\$" "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  CXX="$cxx" cmake -S "$top" -B "$dir" -G Ninja -DSELV_WERROR=ON "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log" >&2; fail "cmake could not configure $dir (log above)"; }
}

mkdir -p "$top/build"
configure "$top/build/test" clang++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O1" \
  -DSELV_SANITIZE=ON -DSELV_FUZZ=ON -DSELV_TESTS=ON -DSELV_BENCH=ON

# The GCC build starts first at the lowest priority: it takes what the clang
# build leaves idle (its links) and the time the tests wait on the line.
gcc_pid=""
gcc_log="$top/build/gcc.log"
if [ "${SELV_GCC_CHECK:-1}" != 0 ]; then
  configure "$top/build/gcc" g++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0" \
    -DSELV_SANITIZE=OFF -DSELV_FUZZ=OFF -DSELV_TESTS=ON -DSELV_BENCH=ON
  echo "== GCC build (warnings are errors) in the background: build/gcc, log in build/gcc.log"
  nice -n 19 cmake --build "$top/build/gcc" -j "$jobs" >"$gcc_log" 2>&1 &
  gcc_pid=$!
fi
gcc_rc=0
wait_gcc() {
  [ -n "$gcc_pid" ] || return 0
  wait "$gcc_pid" || gcc_rc=$?
  gcc_pid=""
  if [ "$gcc_rc" -ne 0 ]; then
    echo "" >&2
    echo "==== The GCC build's errors (whole log: build/gcc.log):" >&2
    grep -E -A4 "error:|: undefined reference" "$gcc_log" | head -150 >&2 || tail -60 "$gcc_log" >&2
  fi
}
how="Every warning in the project's own code is an error: mend the files and lines that the
\"error:\" messages above name, and run scripts/test.sh again."

echo "== clang build (sanitizers, tests, benchmarks, fuzz targets; warnings are errors): build/test"
clang_rc=0
cmake --build "$top/build/test" -j "$jobs" || clang_rc=$?
if [ "$clang_rc" -ne 0 ]; then
  wait_gcc
  [ "$gcc_rc" -eq 0 ] || fail "the clang build in build/test and the GCC build in build/gcc. $how"
  fail "the clang build in build/test (GCC's passed). $how"
fi

# A German locale (decimal comma) for the tests that check that numbers on
# the wire and in files never follow the user's locale.
locales="$top/build/locales"
if [ ! -d "$locales/de_DE.UTF-8" ]; then
  mkdir -p "$locales"
  localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" 2>/dev/null || rm -rf "$locales/de_DE.UTF-8"
fi
[ -d "$locales/de_DE.UTF-8" ] && export LOCPATH="$locales"

# One slot more than cores: the paced round trip spends its minutes waiting
# on the line and starts first, so the others run beside it.
echo "== tests: build/test"
ctest_rc=0
(cd "$top/build/test" && ctest --output-on-failure -j "$((jobs + 1))" "$@") || ctest_rc=$?
wait_gcc
if [ "$gcc_rc" -ne 0 ]; then
  [ "$ctest_rc" -eq 0 ] || fail "tests in build/test (output above), and the GCC build in build/gcc. $how"
  fail "the GCC build in build/gcc (the clang build and the tests passed). $how"
fi
[ "$ctest_rc" -eq 0 ] || fail "tests in build/test (output above; the GCC build passed)"
