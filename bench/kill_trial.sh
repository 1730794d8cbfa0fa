#!/usr/bin/env bash
# The kill trial: findTavla-cli registers generated data sets and is killed
# with SIGKILL at a random moment. Before anything registers again, searches
# of both datums must list no row of a set that has no FILE row (the first
# program to start tidies what the killed run left); then a registration must
# leave exactly what a clean run leaves (compared with FILENOs replaced by
# drawing paths, since the second run numbers the sets it adds anew).
#
#   bench/kill_trial.sh [--build DIR] [--sets N] [--trials N] [--work DIR]
#
# --build DIR   a build folder with findTavla-cli, findtavla-gen-data and
#               findtavla-snapshot (default build)
# --sets N      data sets per registration (default 100)
# --trials N    kills (default 10)
# --work DIR    where sets, data folders and logs go (default a temp folder,
#               kept when a trial fails)
# The status is 0 when every trial passed. Needs the sqlite3 shell.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
sets=100
trials=10
work=
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --sets) sets=$2; shift 2 ;;
    --trials) trials=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    -h|--help) sed -n '2,21p' "$0"; exit 0 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
cli=$PWD/$build/bin/findTavla-cli
snapshot=$PWD/$build/tools/findtavla-snapshot
keep_work=1
if [ -z "$work" ]; then
  work=$(mktemp -d)
  keep_work=0
fi

tool() {
  local home=$1
  shift
  XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config "$cli" "$@"
}

# Rows of the four row tables whose FILENO has no FILE row, in both catalogues.
orphan_rows() {
  local folder=$1 total=0
  for db in "$folder/Dorsajpn.db" "$folder/Dorsawrd.db"; do
    [ -e "$db" ] || continue
    local count
    count=$(sqlite3 -cmd ".timeout 5000" "$db" "SELECT
      (SELECT COUNT(*) FROM CHIBAN WHERE FILENO NOT IN (SELECT FILENO FROM FILE)) +
      (SELECT COUNT(*) FROM MAP WHERE FILENO NOT IN (SELECT FILENO FROM FILE)) +
      (SELECT COUNT(*) FROM FTEN WHERE FILENO NOT IN (SELECT FILENO FROM FILE)) +
      (SELECT COUNT(*) FROM ZTEN WHERE FILENO NOT IN (SELECT FILENO FROM FILE));")
    total=$((total + count))
  done
  echo "$total"
}

# Rows the searches of both datums list whose FILENO (the last column) the
# drawing list of that datum does not hold. The searches run first, as the
# first programs to start after the kill.
listed_orphans() {
  local home=$1 listed=0
  for datum in 1 2; do
    local found=$home/found$datum
    : > "$found"
    for kind in maps parcels fpoints zpoints; do
      tool "$home" --datum "$datum" search "$kind" 2>/dev/null | tail -n +2 |
        awk -F'\t' '{print $NF}' >> "$found" || true
    done
    tool "$home" --datum "$datum" files 2>/dev/null | tail -n +2 | awk -F'\t' '{print $2}' |
      sort -u > "$home/files$datum" || true
    listed=$((listed + $(sort -u "$found" | comm -23 - "$home/files$datum" | wc -l)))
  done
  echo "$listed"
}

"$PWD/$build/bench/findtavla-gen-data" --out "$work/sets" --sets "$sets" > /dev/null
start=$(date +%s%N)
tool "$work/clean" register "$work/sets" > /dev/null 2>&1
clean_ms=$((($(date +%s%N) - start) / 1000000))
"$snapshot" "$work/clean/data/findTavla" > "$work/clean.snapshot"
echo "clean run: $sets sets in $clean_ms ms"

passed=0
printf '%-6s %8s %7s %10s %12s %8s %9s  %s\n' trial kill-ms marker file-rows orphan-rows listed rerun catalogue
for trial in $(seq 1 "$trials"); do
  home=$work/trial$trial
  mkdir -p "$home"
  kill_ms=$(((RANDOM * 32768 + RANDOM) % (clean_ms > 0 ? clean_ms : 1)))
  # Started directly (not through the tool function, whose subshell would
  # be what gets killed), so that the signal reaches the registration.
  XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config "$cli" register "$work/sets" \
    > "$home/killed.out" 2> "$home/killed.err" &
  pid=$!
  sleep "$(echo "scale=3; $kill_ms / 1000" | bc)"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  folder=$home/data/findTavla
  if [ -e "$folder/findTavla.running" ]; then marker=yes; else marker=no; fi
  file_rows=0
  if [ -e "$folder/Dorsawrd.db" ]; then
    file_rows=$(sqlite3 -cmd ".timeout 5000" "$folder/Dorsawrd.db" "SELECT COUNT(*) FROM FILE;")
  fi
  orphans=$(orphan_rows "$folder")
  listed=$(listed_orphans "$home")
  status=0
  tool "$home" register "$work/sets" > "$home/rerun.out" 2> "$home/rerun.err" || status=$?
  "$snapshot" "$folder" > "$home/snapshot"
  if cmp -s "$work/clean.snapshot" "$home/snapshot"; then same=equal; else same=DIFFERENT; fi
  if [ "$listed" -eq 0 ] && [ $status -eq 0 ] && [ $same = equal ]; then
    passed=$((passed + 1))
  fi
  printf '%-6s %8s %7s %10s %12s %8s %9s  %s\n' "$trial" "$kill_ms" "$marker" "$file_rows" \
    "$orphans" "$listed" "status$status" "$same"
done
echo "$passed of $trials trials passed"
if [ "$passed" -ne "$trials" ]; then
  echo "logs in $work" >&2
  exit 1
fi
if [ $keep_work -eq 0 ]; then
  rm -rf "$work"
fi
