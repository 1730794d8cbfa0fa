#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests: `start FOLDER` makes a new
# cluster in FOLDER that listens only on a Unix socket in FOLDER (no TCP), and
# `stop FOLDER` stops it and removes the folder. Tests connect with
# "host=FOLDER dbname=postgres user=findtavla"; every local connection is
# trusted, which the socket's folder keeps to this machine. The server refuses
# to run as root, so under root it runs as the unprivileged user nobody.
set -euo pipefail
action=${1:?start or stop}
folder=${2:?folder}

bindir=$(pg_config --bindir 2>/dev/null || true)
if [ ! -x "$bindir/initdb" ]; then
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
fi
if [ ! -x "$bindir/initdb" ]; then
  echo "PostgreSQL server programs not found (Debian: postgresql)" >&2
  exit 1
fi

as_server() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u nobody -- "$@"
  else
    "$@"
  fi
}

stop_server() {
  if [ -f "$folder/data/postmaster.pid" ]; then
    as_server "$bindir/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
}

case "$action" in
  start)
    stop_server
    rm -rf "$folder"
    mkdir -p "$folder"
    if [ "$(id -u)" -eq 0 ]; then
      chown nobody "$folder"
    fi
    as_server "$bindir/initdb" -D "$folder/data" -U findtavla --auth=trust -E UTF8 \
      --locale=C.UTF-8 >"$folder/initdb.log" 2>&1
    as_server "$bindir/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w \
      -o "-c listen_addresses='' -k $folder -F -c max_connections=200" start >/dev/null
    ;;
  stop)
    stop_server
    rm -rf "$folder"
    ;;
  *)
    echo "usage: $0 start|stop FOLDER" >&2
    exit 2
    ;;
esac
