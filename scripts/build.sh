#!/usr/bin/env bash
# Configures and builds both sides: build/win32 (the program, its DLLs, the
# Windows tests and the distribution folder) and build/native (the pure core
# and its tests, with sanitizers unless ORVANTO_SANITIZE=OFF).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVANTO_BUILD_DIR:-$root/build}
jobs=${ORVANTO_JOBS:-$(nproc)}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

cmake -S "$root" -B "$build/win32" "${generator[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=${ORVANTO_BUILD_TYPE:-Release} -DORVANTO_DIST_ROOT="$build/dist" >/dev/null
cmake --build "$build/win32" -j "$jobs"

if [[ "${1:-}" != "--windows-only" ]]; then
  cmake -S "$root" -B "$build/native" "${generator[@]}" \
        -DCMAKE_BUILD_TYPE=Debug -DORVANTO_SANITIZE=${ORVANTO_SANITIZE:-ON} >/dev/null
  cmake --build "$build/native" -j "$jobs"
fi

# One ctest tree over both builds, so a single run reports every tier.
cat > "$build/CTestTestfile.cmake" <<CTEST
subdirs("native")
subdirs("win32")
CTEST
