#!/usr/bin/env bash
# Builds the survey blob decoder's libFuzzer target with clang in its own
# folder and runs it for a while (30 s unless told: scripts/fuzz.sh 300).
# A crash, a sanitizer report or a failed check ends it with a nonzero status
# and leaves the input that did it in the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build=${TESK_FUZZ_BUILD:-$root/build-fuzz}

CC=${CC_FUZZ:-clang} CXX=${CXX_FUZZ:-clang++} \
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESK_BUILD_TESTS=OFF -DTESK_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" --target SurveyBlobFuzzer -j"$(nproc)"

corpus=$build/survey-blob-corpus
mkdir -p "$corpus"
cd "$build"
./tests/fuzz/SurveyBlobFuzzer -max_total_time="$seconds" -print_final_stats=1 \
  -dict="$root/tests/fuzz/survey_blob.dict" "$corpus"
