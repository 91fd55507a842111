#!/usr/bin/env bash
# The main job on the embedded default: builds the tree, creates a sample
# project (SQLite) and walks one request through the data provider.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build" >/dev/null
project=${1:-"$root/build/sample-project"}
"$root/build/tools/teskdp" demo "$project"
