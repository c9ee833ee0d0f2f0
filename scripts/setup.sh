#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkgconf ccache git
  juce-modules-source juce-tools
  libgtest-dev libbenchmark-dev zlib1g-dev
  libxcursor-dev libxrandr-dev libxinerama-dev libfreetype-dev libfontconfig1-dev
  libasound2-dev libcurl4-openssl-dev
  clang libclang-rt-14-dev
  fonts-quicksand fonts-roboto-unhinted
  xvfb xauth x11-utils
  lv2-dev sordi lilv-utils jalv jackd2 sox
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
