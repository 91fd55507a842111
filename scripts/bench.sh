#!/usr/bin/env bash
# Benchmarks of the record-set path against the raw stack beneath it, on one
# generated project per engine (SQLite, and PostgreSQL on a throwaway server on
# loopback), printing the table of ratios against the targets. Not part of
# set-up or of the tests.
#
# Environment: BENCH_TOPS (1000000) formation tops over BENCH_WELLS (3000)
# wells; BENCH_REPS (3) repetitions per case, medians reported; BENCH_ENGINES
# ("sqlite pg"). A project is generated once and kept in BENCH_DATA
# (build-bench/bench-data); the results go to BENCH_RESULTS (build-bench/bench-results).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tops=${BENCH_TOPS:-1000000}
wells=${BENCH_WELLS:-3000}
reps=${BENCH_REPS:-3}
engines=${BENCH_ENGINES:-"sqlite pg"}
build=$root/build-bench
data=${BENCH_DATA:-$build/bench-data}
results=${BENCH_RESULTS:-$build/bench-results}
python=/usr/bin/python3  # the system interpreter, whose pyodbc the packages provide

bash scripts/install-bench-deps.sh

echo "== Release build with the benchmarks"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -g -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -g -DNDEBUG" \
  -DTESK_BUILD_BENCH=ON -DTESK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tesk_bench_make_project tesk_bench_managed tesk_bench_automation
bin=$build/bench
scan_sql=$("$bin/tesk_bench_managed" --print-scan-sql)
mkdir -p "$data" "$results"
rm -f "$results"/*.json "$results/last.log"

# A project is kept while its stamp matches the requested size and its rows are there.
make_project() {  # DIR STAMP ROWCOUNT_COMMAND [--odbc CONNECT]
  local dir=$1 stamp=$2 count=$3
  shift 3
  if [ -f "$dir/bench.stamp" ] && [ "$(cat "$dir/bench.stamp")" = "$stamp" ] &&
     [ "$(eval "$count" 2>/dev/null || true)" = "$tops" ]; then
    echo "   reusing $dir"
    return
  fi
  rm -rf "$dir"
  echo "   generating $tops formation tops over $wells wells in $dir"
  "$bin/tesk_bench_make_project" "$dir" --wells "$wells" --tops "$tops" "$@"
  echo "$stamp" >"$dir/bench.stamp"
}

# Runs a program, its report to the results folder; its console output is shown only on failure.
quiet() {
  "$@" >"$results/last.log" 2>&1 || { cat "$results/last.log" >&2; return 1; }
}

run_engine() {  # ENGINE PROJECT_DIR
  local engine=$1 dir=$2
  export TESK_BENCH_PROJECT=$dir
  echo "   managed flavour and raw baselines"
  quiet "$bin/tesk_bench_managed" --benchmark_filter='^(scan|first_row|edit)/' --benchmark_repetitions="$reps" \
    --benchmark_out="$results/managed-$engine.json" --benchmark_out_format=json
  # Peak memory is measured in a process of its own, before anything else ran in it.
  quiet "$bin/tesk_bench_managed" --benchmark_filter='^memory/' \
    --benchmark_out="$results/managed-$engine-memory.json" --benchmark_out_format=json
  echo "   automation flavour"
  quiet "$bin/tesk_bench_automation" --benchmark_filter='^scan/' --benchmark_repetitions="$reps" \
    --benchmark_out="$results/automation-$engine.json" --benchmark_out_format=json
  quiet "$bin/tesk_bench_automation" --benchmark_filter='^memory/' \
    --benchmark_out="$results/automation-$engine-memory.json" --benchmark_out_format=json
}

for engine in $engines; do
  case $engine in
  sqlite)
    echo "== SQLite"
    dir=$data/sqlite
    make_project "$dir" "tops=$tops wells=$wells" \
      "sqlite3 '$dir/project.db' 'select count(*) from \"FormationTop\"'"
    run_engine sqlite "$dir"
    echo "   Python baselines"
    "$python" bench/py_scan.py sqlite3 "$dir/project.db" "$scan_sql" "$reps" >"$results/py-sqlite3-sqlite.json"
    "$python" bench/py_scan.py pyodbc \
      "Driver=/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so;Database=$dir/project.db;Timeout=5000" \
      "$scan_sql" "$reps" >"$results/py-pyodbc-sqlite.json"
    ;;
  pg)
    echo "== PostgreSQL"
    port=${TESK_PG_PORT:-55432}
    # A server someone else started is left running; one started here is stopped at the end.
    if ! pg_isready -q -h 127.0.0.1 -p "$port"; then
      bash scripts/pg-test-server.sh start
      trap 'bash "$root/scripts/pg-test-server.sh" stop >/dev/null 2>&1 || true' EXIT
    fi
    if ! psql -h 127.0.0.1 -p "$port" -U postgres -tAc "select 1 from pg_database where datname='tesk_bench'" |
         grep -q 1; then
      psql -h 127.0.0.1 -p "$port" -U postgres -qc "create database tesk_bench" >/dev/null
    fi
    eval "$(bash scripts/pg-test-server.sh env)"
    connect=${TESK_TEST_PG/Database=tesk_test/Database=tesk_bench}
    dir=$data/pg
    make_project "$dir" "tops=$tops wells=$wells connect=$connect" \
      "psql -h 127.0.0.1 -p $port -U postgres -d tesk_bench -tAc 'select count(*) from \"FormationTop\"'" \
      --odbc "$connect"
    run_engine pg "$dir"
    echo "   Python baseline"
    # pyodbc reads texts as wide characters, which only the driver's Unicode build serves.
    "$python" bench/py_scan.py pyodbc "${connect/psqlodbca.so/psqlodbcw.so}" "$scan_sql" "$reps" \
      >"$results/py-pyodbc-pg.json"
    ;;
  *) echo "unknown engine $engine" >&2; exit 2 ;;
  esac
done

echo
echo "Load average while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$python" bench/report.py "$results"
