#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests, on 127.0.0.1 only.
#   start  creates (once) and starts it, with the database tesk_test
#   stop   stops it
#   env    prints the export of TESK_TEST_PG, its ODBC connection string
set -euo pipefail
port=${TESK_PG_PORT:-55432}
dir=${TESK_PG_DIR:-/tmp/tesk-pg-$port}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbca.so
[ -f "$driver" ] || driver=$(dpkg -L odbc-postgresql 2>/dev/null | grep -m1 'psqlodbca.so$' || true)

as_postgres() {
  if [ "$(id -un)" = postgres ]; then bash -c "$1"; else su postgres -s /bin/bash -c "$1"; fi
}

case "${1:-}" in
start)
  [ -n "$bin" ] || { echo "PostgreSQL server is not installed" >&2; exit 1; }
  mkdir -p "$dir"
  chown postgres "$dir" 2>/dev/null || true
  if [ ! -f "$dir/data/PG_VERSION" ]; then
    as_postgres "$bin/initdb -D $dir/data -A trust -U postgres >/dev/null"
  fi
  if ! as_postgres "$bin/pg_ctl -D $dir/data status >/dev/null 2>&1"; then
    as_postgres "$bin/pg_ctl -D $dir/data -l $dir/log -w -o \"-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off\" start >/dev/null"
  fi
  if ! psql -h 127.0.0.1 -p "$port" -U postgres -tAc "select 1 from pg_database where datname='tesk_test'" | grep -q 1; then
    psql -h 127.0.0.1 -p "$port" -U postgres -qc "create database tesk_test" >/dev/null
  fi
  echo "PostgreSQL on 127.0.0.1:$port ($dir)"
  ;;
stop)
  if [ -d "$dir/data" ] && as_postgres "$bin/pg_ctl -D $dir/data status >/dev/null 2>&1"; then
    as_postgres "$bin/pg_ctl -D $dir/data -m fast stop >/dev/null"
  fi
  ;;
env)
  [ -n "$driver" ] && [ -f "$driver" ] || { echo "PostgreSQL ODBC driver (odbc-postgresql) is not installed" >&2; exit 1; }
  # The ANSI driver library, for the ANSI ODBC API the backend uses. Scans
  # stream over a second connection on which the backend turns declare-fetch
  # on itself; this connection stays without it, as keyed reads are faster so.
  echo "export TESK_TEST_PG='Driver=$driver;Server=127.0.0.1;Port=$port;Database=tesk_test;UID=postgres;BoolsAsChar=0'"
  ;;
*)
  echo "usage: $0 start|stop|env" >&2
  exit 2
  ;;
esac
