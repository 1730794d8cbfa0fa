#!/usr/bin/env bash
# The contention probe: findTavla-cli registers generated data sets while a
# second process searches in a tight loop and a third holds a read
# transaction on the catalogue for a second now and then. Each run passes
# when the registration completes, every search answers (found or not found,
# never an error), and the catalogues and working files equal those of a
# quiet run of the same sets.
#
#   bench/contention_probe.sh [--build DIR] [--sets N] [--runs N] [--work DIR]
#
# --build DIR  a build folder with findTavla-cli, findtavla-gen-data and
#              findtavla-snapshot (default build)
# --sets N     data sets registered per run (default 200)
# --runs N     runs (default 10)
# --work DIR   where sets, data folders and logs go (default a temp folder,
#              kept when a run fails)
# The status is 0 when every run passed. Needs the sqlite3 shell.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
sets=200
runs=10
work=
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --sets) sets=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    -h|--help) sed -n '2,19p' "$0"; exit 0 ;;
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

# findTavla-cli with the data and settings folders of one home.
tool() {
  local home=$1
  shift
  XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config "$cli" "$@"
}

"$PWD/$build/bench/findtavla-gen-data" --out "$work/sets" --sets "$sets" > /dev/null
tool "$work/quiet" register "$work/sets" > /dev/null 2>&1
"$snapshot" "$work/quiet/data/findTavla" > "$work/quiet.snapshot"

# Searches in a tight loop until the flag file goes; counts answers by status.
searcher() {
  local home=$1 flag=$2 log=$3
  local kinds=(maps parcels fpoints zpoints files) ok=0 failed=0 i=0
  while [ -e "$flag" ]; do
    local kind=${kinds[$((i % 5))]}
    local status=0
    if [ "$kind" = files ]; then
      tool "$home" files > /dev/null 2>> "$log.err" || status=$?
    else
      tool "$home" search "$kind" > /dev/null 2>> "$log.err" || status=$?
    fi
    if [ $status -le 1 ]; then ok=$((ok + 1)); else failed=$((failed + 1)); fi
    i=$((i + 1))
  done
  echo "$ok $failed" > "$log"
}

# Holds a read transaction for a second, then lets go for up to a second.
reader() {
  local db=$1 flag=$2 log=$3
  local holds=0 failed=0
  while [ -e "$flag" ]; do
    # The registration creates the file before its tables: a hold starts
    # once the tables are there.
    if [ -e "$db" ] && [ "$(sqlite3 -cmd '.timeout 5000' "$db" \
         "SELECT COUNT(*) FROM sqlite_master WHERE name = 'CHIBAN'" 2> /dev/null)" = 1 ]; then
      if { echo ".timeout 5000"; echo "BEGIN;"; echo "SELECT COUNT(*) FROM CHIBAN;"
           sleep 1; echo "COMMIT;"; } | sqlite3 -bail "$db" > /dev/null 2>> "$log.err"; then
        holds=$((holds + 1))
      else
        failed=$((failed + 1))
      fi
    fi
    sleep "0.$((RANDOM % 10))"
  done
  echo "$holds $failed" > "$log"
}

passed=0
printf '%-4s %-9s %-10s %9s %8s %7s %7s  %s\n' run status seconds searches failed holds failed catalogue
for run in $(seq 1 "$runs"); do
  home=$work/run$run
  mkdir -p "$home/data/findTavla"
  flag=$home/running
  touch "$flag"
  searcher "$home" "$flag" "$home/searches" &
  searcher_pid=$!
  reader "$home/data/findTavla/Dorsawrd.db" "$flag" "$home/reads" &
  reader_pid=$!
  start=$(date +%s.%N)
  status=0
  tool "$home" register "$work/sets" > "$home/register.out" 2> "$home/register.err" || status=$?
  seconds=$(echo "$(date +%s.%N) - $start" | bc)
  rm -f "$flag"
  wait "$searcher_pid" "$reader_pid"
  read -r searches search_failures < "$home/searches"
  read -r holds hold_failures < "$home/reads"
  "$snapshot" "$home/data/findTavla" > "$home/snapshot"
  if cmp -s "$work/quiet.snapshot" "$home/snapshot"; then same=equal; else same=DIFFERENT; fi
  if [ $status -eq 0 ] && grep -qx "${sets}件登録しました" "$home/register.out" &&
     [ "$search_failures" -eq 0 ] && [ "$hold_failures" -eq 0 ] && [ $same = equal ]; then
    passed=$((passed + 1))
    result=ok
  else
    result=FAILED
  fi
  printf '%-4s %-9s %-10.1f %9s %8s %7s %7s  %s\n' "$run" "$result($status)" "$seconds" \
    "$searches" "$search_failures" "$holds" "$hold_failures" "$same"
done
echo "$passed of $runs runs passed"
if [ "$passed" -ne "$runs" ]; then
  echo "logs in $work" >&2
  exit 1
fi
if [ $keep_work -eq 0 ]; then
  rm -rf "$work"
fi
