#!/usr/bin/env bash
# Installs what the benchmarks need on top of the build's packages (Debian 12, as root):
# Google Benchmark, and the Python baselines' sqlite3 and pyodbc over the SQLite ODBC driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
packages=(libbenchmark-dev python3 python3-pyodbc libsqliteodbc odbc-postgresql postgresql-client)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
