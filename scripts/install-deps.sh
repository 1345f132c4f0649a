#!/usr/bin/env bash
# Installs every Debian package the build and the three test tiers need.
# Idempotent: on a ready machine it only checks and returns in seconds.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools
  wine wine32 wine64
  xvfb xdotool x11-utils imagemagick fonts-wqy-microhei
  rapidjson-dev googletest libgtest-dev
  zip unzip nsis python3 python3-gi gir1.2-gtk-3.0
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "install-deps: missing packages (${missing[*]}); run as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
