#!/usr/bin/env bash
# Builds the fuzzers of tests/fuzz with clang (libFuzzer, AddressSanitizer,
# UBSan) straight from the sources and runs each for a number of seconds
# (first argument, default 10), starting from seeds made from the test
# fixtures plus the real files of ../shared/testdata when it is there (read
# in place). Exits non-zero when any fuzzer finds a crash, a sanitizer report
# or a broken invariant; the input is left in <out>/artifacts/<fuzzer>/.
#   ORVANTO_FUZZ_DIR   where to build and keep corpora (default <build>/fuzz)
#   ORVANTO_FUZZERS    which fuzzers to run (default all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
out=${ORVANTO_FUZZ_DIR:-${ORVANTO_BUILD_DIR:-$root/build}/fuzz}
shared=$root/../shared/testdata

cxx=""
for c in clang++ clang++-14; do
  if command -v "$c" >/dev/null; then cxx=$c; break; fi
done
if [[ -z "$cxx" ]]; then
  bash "$root/scripts/install-deps.sh"
  cxx=clang++
fi

# RapidJSON (rapidjson-dev) lives on the default include path.
common=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$root/src" -I"$root/tests/fuzz"
        -Wall -Wextra -Werror -Wshadow -Wno-missing-field-initializers)
sanitize=(-fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

core=$root/src/core
declare -A sources=(
  [fuzz_shell_link]="$core/shell_link.cpp"
  [fuzz_text_rules]="$core/text_rules.cpp"
  [fuzz_config_text]="$core/config_text.cpp"
  [fuzz_geometry]="$core/dock_step.cpp $core/frame_rules.cpp $core/grid_layout.cpp"
  [fuzz_tile_picture]="$core/image_probe.cpp $core/ico_select.cpp $core/dib_decode.cpp $core/png_header.cpp
                       $core/bmp_pack.cpp"
)
if [[ -f "$root/src/treedoc/treedoc_api.h" ]]; then
  treedoc=$(ls "$root"/src/treedoc/*.cpp | grep -v '/dllmain\.cpp$' | tr '\n' ' ')
  sources[fuzz_treedoc]="$treedoc"
fi
# Per fuzzer flags: treedoc is built from its own folder, and its RapidJSON
# templates draw clang warnings that g++ does not give.
declare -A flags=(
  [fuzz_treedoc]="-I$root/src/treedoc -Wno-error -Wno-ambiguous-reversed-operator
                  -fsanitize-ignorelist=$root/tests/fuzz/rapidjson_ubsan_ignore.txt"
)
# Extra read-only corpora from other projects' real files.
declare -A extra=(
  [fuzz_shell_link]="$shared/lnk"
  [fuzz_treedoc]="$shared/JSONTestSuite"
  [fuzz_config_text]="$shared/JSONTestSuite"
  [fuzz_tile_picture]="$shared/images"
)

mkdir -p "$out/bin" "$out/seeds"
# Built under a name of this run, so that runs side by side (one fuzzer
# each) do not replace the program while another starts it.
"$cxx" -std=c++20 -O1 -Wall -Wextra -Werror -o "$out/bin/make_seeds.$$" "$root/tests/fuzz/make_seeds.cpp"
"$out/bin/make_seeds.$$" "$out/seeds"
rm -f "$out/bin/make_seeds.$$"

selected=${ORVANTO_FUZZERS:-$(printf '%s\n' "${!sources[@]}" | sort | tr '\n' ' ')}
failed=()
for name in $selected; do
  [[ -n "${sources[$name]:-}" ]] || { echo "fuzz: no fuzzer $name" >&2; exit 2; }
  # shellcheck disable=SC2086
  "$cxx" "${common[@]}" "${sanitize[@]}" ${flags[$name]:-} -o "$out/bin/$name" \
         "$root/tests/fuzz/$name.cpp" ${sources[$name]}
  corpus=$out/corpus/$name
  artifacts=$out/artifacts/$name/
  mkdir -p "$corpus" "$artifacts"
  dirs=("$corpus" "$out/seeds/$name")
  if [[ -n "${extra[$name]:-}" && -d "${extra[$name]}" ]]; then dirs+=("${extra[$name]}"); fi
  log=$out/$name.log
  echo "fuzz: $name for ${seconds}s"
  if "$out/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$artifacts" "${dirs[@]}" >"$log" 2>&1; then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz: $name ok, ${runs:-?} executions"
  else
    echo "fuzz: $name FOUND A PROBLEM (log $log, inputs in $artifacts)" >&2
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -10 >&2 || true
    failed+=("$name")
  fi
done

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "fuzz: findings in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: no findings"
