#!/usr/bin/env bash
# Builds everything and runs every test tier (native, win32, e2e) under one
# ctest, ending with ctest's summary. Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVANTO_BUILD_DIR:-$root/build}

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

source "$root/scripts/wine-env.sh"
orvanto_wine_start
trap orvanto_wine_stop EXIT

cd "$build"
ctest --output-on-failure -j "${ORVANTO_TEST_JOBS:-2}" --timeout 900 "$@"
