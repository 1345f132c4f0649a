#!/usr/bin/env bash
# Crash-safety run: kills a saving Orvanto N times (default 1000) and checks
# the board file after every kill. Needs a build (scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVANTO_BUILD_DIR:-$root/build}
source "$root/scripts/wine-env.sh"
orvanto_wine_start
trap orvanto_wine_stop EXIT
export ORVANTO_DIST=$build/dist/Orvanto ORVANTO_PROBE=$build/win32/tools/probe.exe
cd "$root/tests/e2e"
python3 -c "import crash_safety, sys; f = crash_safety.run(int(sys.argv[1])); print(f'{sys.argv[1]} kills, {len(f)} damaged files'); sys.exit(1 if f else 0)" "${1:-1000}"
