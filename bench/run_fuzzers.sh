#!/usr/bin/env bash
# Runs the libFuzzer harnesses of tests/fuzz, each from its seed corpus, and
# prints the executions of each and what it found. CI runs every harness for
# 20 seconds; on demand they run for hours (or a number of executions each).
#
#   bench/run_fuzzers.sh [--build DIR] [--seconds N | --runs N] [--jobs N]
#                        [--work DIR] [HARNESS...]
#
# --build DIR   a build folder configured with clang and FT_FUZZ (default
#               build-fuzz); it is configured and the harnesses built when
#               they are missing:
#                 cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
#                   -DFT_FUZZ=ON -DFT_SANITIZE=ON -DFT_BUILD_TESTS=OFF -DFT_BUILD_BENCH=OFF
# --seconds N   time per harness (default 20)
# --runs N      executions per harness instead of a time
# --jobs N      harnesses run side by side (default 1)
# --work DIR    where the growing corpora, logs and crash inputs go (default a
#               temp folder, kept when something was found)
# The status is 0 when no harness found anything.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz
limit=(-max_total_time=20)
jobs=1
work=
harnesses=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    -h|--help) sed -n '2,20p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) harnesses+=("$1"); shift ;;
  esac
done
if [ ${#harnesses[@]} -eq 0 ]; then
  mapfile -t harnesses < <(ls tests/fuzz/corpus)
fi

if [ ! -d "$build/fuzz" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DFT_FUZZ=ON -DFT_SANITIZE=ON \
    -DFT_BUILD_TESTS=OFF -DFT_BUILD_BENCH=OFF
fi
cmake --build "$build" --target fuzz-harnesses -j "$(nproc)"

keep_work=1
if [ -z "$work" ]; then
  work=$(mktemp -d)
  keep_work=0
fi
mkdir -p "$work"
# The harnesses write their input files into a scratch folder per process;
# memory is quicker than a disk when there is room.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_one() {
  local harness=$1
  mkdir -p "$work/$harness"
  local status=0
  "$build/fuzz/$harness" "${limit[@]}" -print_final_stats=1 -max_len=4096 \
    -artifact_prefix="$work/$harness-" "$work/$harness" "tests/fuzz/corpus/$harness" \
    > "$work/$harness.log" 2>&1 || status=$?
  echo "$status" > "$work/$harness.status"
}
export -f run_one
export build work
export LIMIT="${limit[*]}"
printf '%s\n' "${harnesses[@]}" |
  xargs -P "$jobs" -I{} bash -c 'limit=($LIMIT); run_one "$@"' _ {}

found=0
printf '%-20s %12s %10s  %s\n' harness executions exec/s result
for harness in "${harnesses[@]}"; do
  log="$work/$harness.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  if [ "$(cat "$work/$harness.status")" = 0 ]; then
    result=clean
  else
    result="FOUND: $(ls "$work/$harness"-* 2>/dev/null | head -1)"
    found=1
  fi
  printf '%-20s %12s %10s  %s\n' "$harness" "${runs:-?}" "${rate:-?}" "$result"
done
if [ $found -ne 0 ]; then
  for harness in "${harnesses[@]}"; do
    if [ "$(cat "$work/$harness.status")" != 0 ]; then
      echo "---- $harness" >&2
      grep -E 'oracle failed|ERROR:|SUMMARY:|^#[0-9]+ ' "$work/$harness.log" | head -40 >&2 || true
    fi
  done
  echo "logs and inputs in $work" >&2
  exit 1
fi
if [ $keep_work -eq 0 ]; then
  rm -rf "$work"
fi
