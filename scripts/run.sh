#!/usr/bin/env bash
# Builds Orvanto and starts it: on the current X display when there is one,
# otherwise headless under Xvfb, saving a screenshot and saying where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVANTO_BUILD_DIR:-$root/build}

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" --windows-only
exe=$build/dist/Orvanto/Orvanto.exe
echo "Distribution folder: $build/dist/Orvanto (zip beside it)"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  export WINEDEBUG=-all
  exec wine "$exe"
fi

source "$root/scripts/wine-env.sh"
orvanto_wine_start
trap orvanto_wine_stop EXIT
wine "$exe" >/dev/null 2>&1 </dev/null &
sleep "${ORVANTO_SHOT_DELAY:-8}"
mkdir -p "$build/screenshots"
shot=$build/screenshots/run.png
import -window root "$shot"
echo "No X display: Orvanto ran headless under Xvfb; screenshot saved to $shot"
