#!/usr/bin/env bash
# Runs the fuzz harnesses (tools/fuzz) with the sanitizers, several at once,
# merges what each grew into its corpus in tests/data/ (minimised: only
# inputs that add coverage are kept) and prints a table of what happened.
#
#   scripts/fuzz.sh [-t SECONDS] [-r RUNS] [-j PARALLEL] [--no-merge|--report] [TARGET...]
#   scripts/fuzz.sh -t 3600 -r 10000000     (the deep run: an hour or ten
#                                            million inputs per target)
#
# TARGET is archive, project, reply, commandfile, rangelist, profile or notes (all
# when none is named). Each runs until SECONDS have passed (default 60) or it
# has run RUNS inputs (default: no limit), at most PARALLEL at a time
# (default 3). A target stops at its first finding; the input that found it
# is kept in build/fuzz/work/TARGET/ (crash-*, leak-*, timeout-*, oom-*), and
# its corpus is not merged. --report runs nothing: it merges and tells what
# the last run of the targets left in build/fuzz/work. The table gives per
# target the inputs run, runs per second of its own time (wall clock and
# CPU), the coverage (libFuzzer's "cov", points of code, and "ft", features)
# and the findings.
#
# The harnesses are built with clang into build/fuzz when they are missing
# (SELV_FUZZ_BUILD_DIR names another tree). The reply target gets its seeds
# and dictionary from the harness itself (-write_seeds, -write_dict). Hand-made
# corpus files (those not named by their SHA-1) are always kept; a merge
# replaces only the files libFuzzer named.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

seconds=60
runs=""
parallel=3
merge=1
report=""
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    -t) seconds="$2"; shift 2 ;;
    -r) runs="$2"; shift 2 ;;
    -j) parallel="$2"; shift 2 ;;
    --no-merge) merge=""; shift ;;
    --report) report=1; shift ;;
    -h|--help) sed -n '2,25p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
all=(archive project reply commandfile rangelist profile notes)
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")

# Per target: the corpus in tests/data, further seed folders, the longest
# input, and the memory limit in MB.
corpus_of() {
  case "$1" in
    archive) echo archive-fuzz-corpus ;;
    *) echo "$1-corpus" ;;
  esac
}
seeds_of() {
  case "$1" in
    archive) echo "$top/tests/data/archive-corpus" ;;
    reply) echo "$work/reply/seeds" ;;
  esac
}
# Projects are read whole, and real ones are tens of kilobytes. A few lines
# are enough for the replies to reach any state, and keep each run short.
max_len_of() {
  case "$1" in
    project) echo 65536 ;;
    reply) echo 512 ;;
    *) echo 4096 ;;
  esac
}
# AddressSanitizer keeps the stack of every allocation, each distinct one for
# good. Unwound through the system's Qt libraries (built without frame
# pointers) the reply target's stacks are new ones all the time: its memory
# would grow by a megabyte every thousand inputs, past the limit within the
# hour, and every input takes half as long again. It keeps none: a finding's
# report still shows where the fault struck, and running the harness on the
# finding's input alone shows the rest.
asan_of() {
  case "$1" in
    reply) echo malloc_context_size=0 ;;
  esac
}
# The most the inputs libFuzzer named may take in a corpus, in bytes (none:
# no limit); the smallest are kept. Mutated saved projects are tens of
# kilobytes each: a whole merge after an hour takes some 20 MB, while 4 MB
# keep nine tenths of its coverage, and every hand-made file (the real saved
# projects) is kept besides.
budget_of() {
  case "$1" in
    project) echo 4000000 ;;
  esac
}
rss_of() {
  case "$1" in
    reply|profile) echo 3072 ;;
    *) echo 2048 ;;
  esac
}

for target in "${targets[@]}"; do
  case " ${all[*]} " in
    *" $target "*) ;;
    *) echo "fuzz.sh: unknown target $target (one of: ${all[*]})" >&2; exit 2 ;;
  esac
done

build="${SELV_FUZZ_BUILD_DIR:-$top/build/fuzz}"
work="$build/work"
binaries=()
for target in "${targets[@]}"; do binaries+=("${target}_fuzz"); done
missing=""
for binary in "${binaries[@]}"; do [ -x "$build/tools/fuzz/$binary" ] || missing=1; done
if [ -n "$missing" ]; then
  CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DSELV_FUZZ=ON -DSELV_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$jobs" --target "${binaries[@]}"
fi

# One target: a fresh output folder beside the corpus, so that the corpus in
# tests/data only changes through the merge.
run_target() {
  local target="$1" dir="$work/$1" binary="$build/tools/fuzz/$1_fuzz"
  rm -rf "$dir"
  mkdir -p "$dir/grown" "$dir/findings"
  local extra=()
  if [ "$target" = reply ]; then
    "$binary" -write_seeds="$dir/seeds" >/dev/null 2>&1
    "$binary" -write_dict="$dir/reply.dict" >/dev/null 2>&1
    extra+=(-dict="$dir/reply.dict")
  fi
  [ -n "$runs" ] && extra+=(-runs="$runs")
  local seeds start end
  seeds="$(seeds_of "$target")"
  start=$(date +%s.%N)
  # libFuzzer's exit status says whether it found something; the table reads
  # that from the findings folder.
  ( TIMEFORMAT='%U %S'; export ASAN_OPTIONS="${ASAN_OPTIONS:-$(asan_of "$target")}"
    time "$binary" -max_total_time="$seconds" -max_len="$(max_len_of "$target")" \
      -rss_limit_mb="$(rss_of "$target")" -print_final_stats=1 -artifact_prefix="$dir/findings/" \
      "${extra[@]}" "$dir/grown" "$top/tests/data/$(corpus_of "$target")" ${seeds:+"$seeds"} ) \
    >"$dir/log" 2>&1 || true
  end=$(date +%s.%N)
  echo "$start $end" >"$dir/wall"
}

# A merge into an empty folder keeps the smallest inputs that together
# reach every feature of the old corpus and of what the run grew; the
# hand-made files go in first, so that they stay.
merge_target() {
  local target="$1" dir="$work/$1" binary="$build/tools/fuzz/$1_fuzz"
  local corpus="$top/tests/data/$(corpus_of "$target")"
  local merged="$dir/merged"
  rm -rf "$merged"
  mkdir -p "$merged"
  find "$corpus" -maxdepth 1 -type f -regextype posix-extended ! -regex '.*/[0-9a-f]{40}' -exec cp {} "$merged/" \;
  "$binary" -merge=1 -max_len="$(max_len_of "$target")" -rss_limit_mb="$(rss_of "$target")" \
    "$merged" "$corpus" "$dir/grown" >"$dir/merge.log" 2>&1
  find "$corpus" -maxdepth 1 -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -delete
  local budget total=0 size name
  budget="$(budget_of "$target")"
  while read -r size name; do
    total=$((total + size))
    [ -n "$budget" ] && [ "$total" -gt "$budget" ] && break
    cp "$merged/$name" "$corpus/"
  done < <(find "$merged" -maxdepth 1 -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -printf '%s %f\n' |
    sort -n)
}

active=0
[ -n "$report" ] || for target in "${targets[@]}"; do
  if [ "$active" -ge "$parallel" ]; then
    wait -n || true
    active=$((active - 1))
  fi
  echo "fuzz.sh: $target for ${seconds}s${runs:+ or $runs runs}" >&2
  run_target "$target" &
  active=$((active + 1))
done
wait

findings_total=0
printf '%-12s %12s %10s %10s %8s %8s %8s  %s\n' target runs 'runs/s' 'runs/cpu-s' cov ft corpus findings
for target in "${targets[@]}"; do
  dir="$work/$target"
  log="$dir/log"
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [ -n "$executed" ] || executed=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  [ -n "$executed" ] || executed=0
  read -r start end <"$dir/wall"
  cpu=$(tail -1 "$log" | awk 'NF == 2 && $1 ~ /^[0-9.]+$/ { print $1 + $2 }')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  findings=$(find "$dir/findings" -maxdepth 1 -type f | wc -l)
  findings_total=$((findings_total + findings))
  if [ -n "$merge" ] && [ "$findings" -eq 0 ]; then merge_target "$target"; fi
  corpus_files=$(find "$top/tests/data/$(corpus_of "$target")" -maxdepth 1 -type f | wc -l)
  names=$(find "$dir/findings" -maxdepth 1 -type f -printf '%f ' | cut -c1-60)
  printf '%-12s %12s %10s %10s %8s %8s %8s  %s\n' "$target" "$executed" \
    "$(awk -v n="$executed" -v a="$start" -v b="$end" 'BEGIN { printf "%.0f", n / (b - a) }')" \
    "$(awk -v n="$executed" -v c="${cpu:-0}" 'BEGIN { if (c > 0) printf "%.0f", n / c; else print "-" }')" \
    "${cov:--}" "${ft:--}" "$corpus_files" "${findings}${names:+ ($names)}"
done
[ "$findings_total" -eq 0 ]
