#!/usr/bin/env bash
# Every speed and size figure in one table: builds the benches (native ones
# in an optimised build without sanitizers, Windows ones cross-compiled),
# runs them (the Windows ones under Wine on a private Xvfb screen), measures
# start-up, idle CPU and memory of the real Orvanto.exe against an empty
# window program of ours started the same way, and prints one row per figure
# with its baseline from the same run and the ratio.
#   ORVANTO_BUILD_DIR   build folder (default build/)
#   ORVANTO_BENCH_STARTS  starts per start-up figure (default 10)
#   ORVANTO_BENCH_IDLE    seconds of the idle CPU figure (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVANTO_BUILD_DIR:-$root/build}
jobs=${ORVANTO_JOBS:-$(nproc)}
starts=${ORVANTO_BENCH_STARTS:-10}
idle=${ORVANTO_BENCH_IDLE:-60}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
command -v i686-w64-mingw32-g++-posix >/dev/null || bash "$root/scripts/install-deps.sh"

echo "bench: building" >&2
cmake -S "$root" -B "$build/bench-native" "${generator[@]}" \
      -DCMAKE_BUILD_TYPE=Release -DORVANTO_SANITIZE=OFF >/dev/null
cmake --build "$build/bench-native" -j "$jobs" --target bench_native_treedoc_bench >/dev/null
cmake -S "$root" -B "$build/win32" "${generator[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DORVANTO_DIST_ROOT="$build/dist" >/dev/null
win_benches=(bench_win32_save_bench bench_win32_board_bench bench_win32_startup_bench
             bench_win32_empty_window)
cmake --build "$build/win32" -j "$jobs" --target dist "${win_benches[@]}" >/dev/null
benchbin=$build/win32/bench
dist=$build/dist/Orvanto

source "$root/scripts/wine-env.sh"
work=$(mktemp -d /tmp/orvanto-bench.XXXXXX)
cleanup() {
  orvanto_wine_stop
  rm -rf "$work"
}
orvanto_wine_start
trap cleanup EXIT
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }

rows=$work/rows
: >"$rows"
collect() { grep -a '^ROW' | tr -d '\r' | cut -f2- | tee -a "$rows" >&2; }

echo "bench: treedoc (native)" >&2
"$build/bench-native/bench/bench_native_treedoc_bench" | collect
for b in bench_win32_save_bench bench_win32_board_bench; do
  echo "bench: $b (Wine)" >&2
  (cd "$benchbin" && wine "$b.exe" </dev/null 2>/dev/null) | collect
done

# Two run directories: an empty board (the first start's default) and a full
# one of 10 categories x 100 entries pointing at a real program.
for name in empty full; do
  mkdir -p "$work/$name"
  cp -r "$dist" "$work/$name/Orvanto"
done
cp "$benchbin/bench_win32_empty_window.exe" "$work/empty_window.exe"
python3 - "$work/full/Orvanto/configure/navigation.json" <<'PY'
import json, os, sys
board = {"width": 981, "height": 678, "left": 100, "crown": 50, "startup": False,
         "navigation": [{"name": "Group %d" % c,
                         "file": [{"name": "Tool %d" % e, "address": "C:\\windows\\notepad.exe",
                                   "icon": "", "command": "", "root_privilege": False}
                                  for e in range(100)]} for c in range(10)]}
os.makedirs(os.path.dirname(sys.argv[1]), exist_ok=True)
with open(sys.argv[1], "w", encoding="utf-8") as f:
    json.dump(board, f, indent=4)
PY
# The empty board: one start makes the default file, as a user's first start.
for name in empty full; do
  echo "bench: start-up, $name board, $starts starts each (Wine)" >&2
  (cd "$benchbin" && wine bench_win32_startup_bench.exe "start-up to first painted frame, $name board vs empty window" \
     "$(winpath "$work/$name/Orvanto/Orvanto.exe")" OrvantoMainWindow \
     "$(winpath "$work/empty_window.exe")" OrvantoBenchEmptyWindow "$starts" </dev/null 2>/dev/null) | collect || true
done

# The Linux process of a program started under Wine, found by its own path.
find_pid() {
  local pattern=$1 pid
  for _ in $(seq 100); do
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
      if { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qF "$pattern"; then echo "$pid"; return 0; fi
    done
    sleep 0.1
  done
  return 1
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }

echo "bench: idle CPU over ${idle}s and memory (Wine)" >&2
(cd "$work/full/Orvanto" && wine "$work/full/Orvanto/Orvanto.exe" </dev/null >/dev/null 2>&1 &)
orvanto_pid=$(find_pid "$work/full/Orvanto/Orvanto.exe")
(cd "$work" && wine "$work/empty_window.exe" </dev/null >/dev/null 2>&1 &)
empty_pid=$(find_pid "$work/empty_window.exe")
sleep 10  # both windows shown, Orvanto's first pictures made
orvanto_rss=$(rss_kb "$orvanto_pid")
empty_rss=$(rss_kb "$empty_pid")
t0=$(cpu_ticks "$orvanto_pid")
e0=$(cpu_ticks "$empty_pid")
sleep "$idle"
t1=$(cpu_ticks "$orvanto_pid")
e1=$(cpu_ticks "$empty_pid")
hz=$(getconf CLK_TCK)
kill "$orvanto_pid" "$empty_pid" 2>/dev/null || true
awk -v a=$((t1 - t0)) -v b=$((e1 - e0)) -v hz="$hz" -v s="$idle" \
  'BEGIN { printf "idle CPU over %ds, %% of one core, full board vs empty window\t%.3f\t%.3f\t%%\t<0.1\n", s, 100*a/hz/s, 100*b/hz/s }' >>"$rows"
awk -v a="$orvanto_rss" -v b="$empty_rss" \
  'BEGIN { printf "resident memory, full board shown vs empty window\t%.1f\t%.1f\tMB\t+8\n", a/1024, b/1024 }' >>"$rows"

size() { stat -c %s "$1"; }
exe=$(size "$dist/Orvanto.exe"); tree=$(size "$dist/data/treedoc.dll"); glyph=$(size "$dist/data/shellglyph.dll")
awk -v e="$exe" -v t="$tree" -v g="$glyph" 'BEGIN {
  printf "size of Orvanto.exe\t%.1f\t-\tKB\t-\n", e/1024
  printf "size of data\\treedoc.dll\t%.1f\t-\tKB\t-\n", t/1024
  printf "size of data\\shellglyph.dll\t%.1f\t-\tKB\t-\n", g/1024
  printf "size of the three binaries together\t%.1f\t-\tKB\t<1536\n", (e+t+g)/1024
}' >>"$rows"

# The table: a ratio for rows with a baseline (ours / baseline), or the
# difference for memory, whose target is a margin over the baseline.
echo
awk -F'\t' '
  BEGIN { printf "%-72s %12s %12s %-4s %9s %8s\n", "figure", "Orvanto", "baseline", "unit", "ratio", "target"
          printf "%s\n", "------------------------------------------------------------------------------------------------------------------------" }
  {
    ratio = "-"
    if ($3 != "-" && $3 + 0 > 0 && $5 !~ /^[+<]/) ratio = sprintf("%.2fx", $2 / $3)
    if ($5 ~ /^\+/) ratio = sprintf("+%.1f", $2 - $3)
    target = $5
    if (target ~ /^[0-9.]+$/) target = "<=" target "x"
    printf "%-72s %12s %12s %-4s %9s %8s\n", $1, $2, $3, $4, ratio, target
  }' "$rows" | tee "$build/bench-table.txt"
