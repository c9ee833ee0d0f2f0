#!/usr/bin/env bash
# The main job: set up, build the plug-ins, install them for the current user
# and render the demo.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${CORVANE_BUILD_DIR:-$root/build/release}"

"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

artefacts="$build/Corvane_artefacts/Release"
mkdir -p "$HOME/.vst3"
rm -rf "$HOME/.vst3/Corvane.vst3"
cp -R "$artefacts/VST3/Corvane.vst3" "$HOME/.vst3/"
echo "Installed VST3: $HOME/.vst3/Corvane.vst3"
if [ -d "$artefacts/LV2/Corvane.lv2" ]; then
  mkdir -p "$HOME/.lv2"
  rm -rf "$HOME/.lv2/Corvane.lv2"
  cp -R "$artefacts/LV2/Corvane.lv2" "$HOME/.lv2/"
  echo "Installed LV2:  $HOME/.lv2/Corvane.lv2"
fi
echo "Standalone:     $artefacts/Standalone/Corvane"

if [ -x "$root/scripts/install-presets.sh" ]; then
  "$root/scripts/install-presets.sh" "$build"
fi

mkdir -p "$root/out"
"$build/tools/corvane-render" --out "$root/out/corvane-demo.wav"
