#!/usr/bin/env bash
# Command-line checks of corvane-render: bad input gives one error line on
# stderr, exit status 2 and no output file; good input writes a WAV.
set -u
render="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# Preset folders of this run only, so the checks never touch the machine's own.
folders=(--user-data "$work/user" --common-data "$work/common")

expect_failure() {
  local name="$1"; shift
  local out="$work/$name.wav"
  "$render" "${folders[@]}" "$@" --out "$out" >"$work/stdout" 2>"$work/stderr"
  local rc=$?
  local lines
  # Debug builds of the framework announce its version on stderr at start-up.
  lines=$(grep -v -c '^JUCE v' "$work/stderr")
  if [ "$rc" -ne 2 ] || [ "$lines" -ne 1 ] || [ -e "$out" ] || ls "$work" | grep -q "^$name.*\.wav"; then
    echo "FAIL $name: rc=$rc, stderr lines=$lines, output left: $(ls "$work" | grep "^$name" | tr '\n' ' ')"
    cat "$work/stderr"
    failures=$((failures + 1))
  fi
}

printf 'MThd\0\0\0\6\0\1\0\1' >"$work/truncated.mid"
printf 'this is not midi' >"$work/text.mid"

expect_failure missing-midi --midi "$work/nothing.mid"
expect_failure truncated-midi --midi "$work/truncated.mid"
expect_failure text-midi --midi "$work/text.mid"
expect_failure unknown-option --loud
expect_failure low-rate --rate 8000
expect_failure high-rate --rate 1e6
expect_failure bad-rate --rate fast
expect_failure zero-block --block 0
expect_failure huge-block --block 100000
expect_failure fractional-block --block 1.5
expect_failure negative-tail --tail -1

# Preset files go through the preset library's check: a legacy file must be
# exactly 84 bytes, a file with the magic word needs a payload and its own length.
head -c 85 /dev/zero >"$work/long.corvanepreset"
printf 'rtsOxmvQ\0\0\0\1\20\0\0\0' >"$work/empty-magic.corvanepreset"
head -c 84 /dev/zero >"$work/legacy.corvanepreset"
expect_failure missing-preset --preset "$work/nothing.corvanepreset"
expect_failure long-preset --preset "$work/long.corvanepreset"
expect_failure empty-magic-preset --preset "$work/empty-magic.corvanepreset"
expect_failure preset-folder --preset "$work"

# An output path in a folder that does not exist.
"$render" "${folders[@]}" --out "$work/no/such/folder/x.wav" >/dev/null 2>"$work/stderr"
rc=$?
if [ "$rc" -ne 2 ] || [ "$(grep -v -c '^JUCE v' "$work/stderr")" -ne 1 ]; then
  echo "FAIL unwritable-output: rc=$rc"; failures=$((failures + 1))
fi

# An unwritable folder (skipped as root, who may write anywhere).
if [ "$(id -u)" -ne 0 ]; then
  mkdir "$work/locked" && chmod 500 "$work/locked"
  "$render" "${folders[@]}" --out "$work/locked/x.wav" >/dev/null 2>&1
  rc=$?
  if [ "$rc" -ne 2 ] || [ -n "$(ls -A "$work/locked")" ]; then
    echo "FAIL locked-output: rc=$rc"; failures=$((failures + 1))
  fi
fi

# A legacy preset file renders.
"$render" "${folders[@]}" --preset "$work/legacy.corvanepreset" --out "$work/legacy.wav" --tail 0 >/dev/null 2>&1
rc=$?
if [ "$rc" -ne 0 ] || [ ! -s "$work/legacy.wav" ]; then
  echo "FAIL legacy-preset: rc=$rc"; failures=$((failures + 1))
fi

# The listing shows the banks and presets found, with their folders.
mkdir -p "$work/common/Ostrevall/Corvane/Factory Presets/01_Organ"
cp "$work/legacy.corvanepreset" "$work/common/Ostrevall/Corvane/Factory Presets/01_Organ/01_Chorale.corvanepreset"
"$render" "${folders[@]}" --list-presets >"$work/list" 2>/dev/null
rc=$?
if [ "$rc" -ne 0 ] || ! grep -q "factory bank \"Organ\": $work/common/Ostrevall/Corvane/Factory Presets/01_Organ" "$work/list" \
   || ! grep -q "^  Chorale .*01_Chorale.corvanepreset" "$work/list" || ! grep -q "user bank \"User Presets\"" "$work/list"; then
  echo "FAIL list-presets: rc=$rc"; cat "$work/list"; failures=$((failures + 1))
fi

# The demo renders, mono and short-blocked too.
"$render" "${folders[@]}" --out "$work/demo.wav" --rate 44100 --block 333 --mono --tail 0.5 >"$work/summary" 2>/dev/null
rc=$?
if [ "$rc" -ne 0 ] || [ ! -s "$work/demo.wav" ] || ! grep -q "peak .* dBFS, RMS .* dBFS, .*x realtime" "$work/summary"; then
  echo "FAIL demo: rc=$rc"; cat "$work/summary"; failures=$((failures + 1))
fi
if "$render" --help | grep -q -- "--midi"; then :; else echo "FAIL help"; failures=$((failures + 1)); fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all renderer checks passed"
