#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the tree twice (optimised,
# and with AddressSanitizer/UndefinedBehaviorSanitizer), starts a throwaway
# PostgreSQL server on loopback, and runs the whole suite against SQLite and
# PostgreSQL in both builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh

bash scripts/pg-test-server.sh start
trap 'bash scripts/pg-test-server.sh stop >/dev/null 2>&1 || true' EXIT
eval "$(bash scripts/pg-test-server.sh env)"
export TESK_TEST_PG

jobs=$(nproc)
# Own build folders: test binaries list their PostgreSQL cases when they are
# linked with TESK_TEST_PG set, which a build made by demo.sh lacks.
echo "== optimised build"
bash scripts/build.sh build-test
echo "== sanitizer build"
bash scripts/build.sh build-asan -DTESK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== tests, sanitizer build"
ctest --test-dir build-asan --output-on-failure -j"$jobs"
echo "== tests, optimised build"
ctest --test-dir build-test --output-on-failure -j"$jobs"
echo "== fuzzing the survey blob decoder"
bash scripts/fuzz.sh 30
