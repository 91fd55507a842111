#!/usr/bin/env bash
# scripts/build.sh [BUILD_DIR] [extra cmake options...]: configures and builds the tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
shift || true
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
