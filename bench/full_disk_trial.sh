#!/usr/bin/env bash
# The full-disk trial (run as root: it mounts small tmpfs file systems):
# findTavla-cli registers generated data sets into a data folder on a tmpfs
# of each size given, so the disk fills at a different file each time. Each
# size passes when the run ends with status 2 and "ディスクの空きが足りません"
# naming a file of the data folder, leaves no temporary file, and a second
# run after the tmpfs has grown leaves what a clean run leaves.
#
#   bench/full_disk_trial.sh [--build DIR] [--sets N] [--work DIR] [SIZE...]
#
# --build DIR  a build folder with findTavla-cli, findtavla-gen-data and
#              findtavla-snapshot (default build)
# --sets N     data sets per registration (default 5)
# SIZE         tmpfs sizes (default 64k 128k 192k 256k 320k 384k 448k 512k)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
sets=5
work=
sizes=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --sets) sets=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    -h|--help) sed -n '2,16p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) sizes+=("$1"); shift ;;
  esac
done
[ ${#sizes[@]} -gt 0 ] || sizes=(64k 128k 192k 256k 320k 384k 448k 512k)
cli=$PWD/$build/bin/findTavla-cli
snapshot=$PWD/$build/tools/findtavla-snapshot
[ -n "$work" ] || work=$(mktemp -d)
mkdir -p "$work/mnt"
trap 'umount "$work/mnt" 2>/dev/null || true' EXIT

"$PWD/$build/bench/findtavla-gen-data" --out "$work/sets" --sets "$sets" > /dev/null
XDG_DATA_HOME=$work/clean/data XDG_CONFIG_HOME=$work/config "$cli" register "$work/sets" \
  > /dev/null 2>&1
"$snapshot" "$work/clean/data/findTavla" > "$work/clean.snapshot"

passed=0
printf '%-6s %-7s %-5s %-6s %-10s  %s\n' size status temps rerun catalogue message
for size in "${sizes[@]}"; do
  mount -t tmpfs -o "size=$size" tmpfs "$work/mnt"
  data=$work/mnt/data
  status=0
  XDG_DATA_HOME=$data XDG_CONFIG_HOME=$work/config "$cli" register "$work/sets" \
    > "$work/out" 2> "$work/err" || status=$?
  message=$(grep -a 'findTavla-cli:' "$work/err" | tail -1 | sed "s|$data/findTavla/||")
  temps=$(find "$data" -name '*.tmp' | wc -l)
  mount -o remount,size=64m "$work/mnt"
  rerun=0
  XDG_DATA_HOME=$data XDG_CONFIG_HOME=$work/config "$cli" register "$work/sets" \
    > /dev/null 2>&1 || rerun=$?
  "$snapshot" "$data/findTavla" > "$work/run.snapshot"
  if cmp -s "$work/clean.snapshot" "$work/run.snapshot"; then same=equal; else same=DIFFERENT; fi
  umount "$work/mnt"
  if [ $status -eq 2 ] && [ "$temps" -eq 0 ] && [ $rerun -eq 0 ] && [ $same = equal ] &&
     [[ $message == *ディスクの空きが足りません* ]]; then
    passed=$((passed + 1))
  fi
  printf '%-6s %-7s %-5s %-6s %-10s  %s\n' "$size" "$status" "$temps" "$rerun" "$same" "$message"
done
echo "$passed of ${#sizes[@]} sizes passed"
[ "$passed" -eq ${#sizes[@]} ]
