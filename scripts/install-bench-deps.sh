#!/usr/bin/env bash
# Installs what the benchmarks need on top of the build's packages (Debian 12, as root):
# Google Benchmark, and the Python baselines' sqlite3 and pyodbc over the SQLite ODBC driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh" libbenchmark-dev python3 python3-pyodbc libsqliteodbc odbc-postgresql \
  postgresql-client
