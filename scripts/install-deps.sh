#!/usr/bin/env bash
# Installs what the build, the tests and the PostgreSQL test server need (Debian 12, as root),
# and any further packages named as arguments.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config git
  libsqlite3-dev sqlite3
  unixodbc unixodbc-dev odbc-postgresql libsqliteodbc
  postgresql
  nlohmann-json3-dev libproj-dev proj-data proj-bin
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
