#!/bin/sh
# Fails when the program named links SQLite: as a shared library it needs, or
# compiled in (its sqlite3_ functions in the symbol tables). Tavla reads survey
# files and the request file only; the catalogue is findTavla's.
# Usage: links_without_sqlite.sh PROGRAM READELF NM
set -eu
program=$1
readelf=$2
nm=$3

needed=$("$readelf" -d "$program" | grep 'NEEDED' | grep -i 'sqlite' || true)
if [ -n "$needed" ]; then
  echo "$program needs SQLite:" >&2
  echo "$needed" >&2
  exit 1
fi
# Both tables: the dynamic one names what a shared SQLite would provide, the
# full one what a static SQLite compiled in (it may be stripped: then empty).
symbols=$({ "$nm" -D "$program" 2>/dev/null; "$nm" "$program" 2>/dev/null; } |
  grep -E '[[:space:]]sqlite3_[a-z0-9_]+$' || true)
if [ -n "$symbols" ]; then
  echo "$program holds SQLite functions:" >&2
  echo "$symbols" | sort -u | head -5 >&2
  exit 1
fi
echo "$program: no SQLite"
