#!/usr/bin/env bash
# Installs the factory preset banks into the all-users preset folder, where
# Corvane finds its start-up sound ("Chorale" in bank "Organ").
#
#   scripts/install-presets.sh [BUILD_DIR] [COMMON_DATA_DIR]
#
# BUILD_DIR (default: build) holds factory-presets/Factory Presets, which the
# build makes from presets/factory/. COMMON_DATA_DIR defaults to the system's
# all-users application-data folder: /opt on Linux,
# "/Library/Application Support" on macOS. The banks go to
# COMMON_DATA_DIR/Ostrevall/Corvane/Factory Presets, replacing any older ones.
set -euo pipefail

build_dir="${1:-build}"
if [ -n "${2:-}" ]; then
  common="$2"
elif [ "$(uname -s)" = "Darwin" ]; then
  common="/Library/Application Support"
else
  common="/opt"
fi

source_dir="$build_dir/factory-presets/Factory Presets"
target_dir="$common/Ostrevall/Corvane"

if [ ! -d "$source_dir" ]; then
  echo "install-presets: no factory banks in '$source_dir'; build first (target corvane_factory_presets)" >&2
  exit 1
fi

run=()
if ! mkdir -p "$target_dir" 2>/dev/null || [ ! -w "$target_dir" ]; then
  if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    run=(sudo -n)
    "${run[@]}" mkdir -p "$target_dir"
  else
    echo "install-presets: cannot write '$target_dir' as $(id -un); the factory banks were NOT installed."
    echo "install-presets: they are built in '$source_dir'; install them with:"
    echo "install-presets:   sudo bash scripts/install-presets.sh '$build_dir'"
    echo "install-presets: until then Corvane starts with its built-in default sound."
    exit 0
  fi
fi

# Copy next to the old banks first, then swap, so an interrupted copy never
# leaves a half-filled factory folder in use.
staging="$target_dir/.Factory Presets.new"
"${run[@]}" rm -rf "$staging"
"${run[@]}" cp -R "$source_dir" "$staging"
"${run[@]}" chmod -R a+rX "$staging"
"${run[@]}" rm -rf "$target_dir/Factory Presets"
"${run[@]}" mv "$staging" "$target_dir/Factory Presets"

banks=$(find "$target_dir/Factory Presets" -mindepth 1 -maxdepth 1 -type d | wc -l)
presets=$(find "$target_dir/Factory Presets" -name '*.corvanepreset' | wc -l)
echo "install-presets: installed $presets factory presets in $banks banks into '$target_dir/Factory Presets'"
