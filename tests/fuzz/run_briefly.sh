#!/usr/bin/env bash
# The fuzzers' short run in ctest: every fuzzer for a few seconds (first
# argument, default 10), skipped (exit 77) when clang or its libFuzzer
# runtime is not installed.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cxx=""
for c in clang++ clang++-14; do
  if command -v "$c" >/dev/null; then cxx=$c; break; fi
done
if [[ -z "$cxx" ]]; then
  echo "fuzz: skipped, clang++ is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
  'extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }' >"$probe/probe.cpp"
if ! "$cxx" -fsanitize=fuzzer,address,undefined -o "$probe/probe" "$probe/probe.cpp" >/dev/null 2>&1; then
  echo "fuzz: skipped, $cxx has no libFuzzer or sanitizer runtime"
  exit 77
fi
exec bash "$root/scripts/fuzz.sh" "${1:-10}"
