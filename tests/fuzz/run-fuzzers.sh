#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) and runs each for a bounded time from its seed corpus. New inputs
# are kept in the build folder, never written into the repository.
#   tests/fuzz/run-fuzzers.sh [build-dir]     CORVANE_FUZZ_SECONDS (default 60) per target
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build/fuzz}"
seconds="${CORVANE_FUZZ_SECONDS:-60}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DCORVANE_SANITIZE=address,undefined -DCORVANE_FUZZ=ON -DCORVANE_BUILD_BENCH=OFF >/dev/null
targets=(state)
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/corvane_}_fuzzer"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for t in "${targets[@]}"; do
  work="$build/fuzz-corpus/$t"
  mkdir -p "$work"
  echo "fuzz: corvane_${t}_fuzzer for ${seconds} s"
  set +e
  "$build/tests/fuzz/corvane_${t}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-crash-$t-" "$work" "$root/tests/fuzz/corpus/$t" >"$build/fuzz-$t.log" 2>&1
  rc=$?
  grep -E "^(INFO: Seed|#[0-9]+ +DONE|Done|stat::)|ERROR|Assertion|Leaked|SUMMARY" "$build/fuzz-$t.log" | tail -20
  set -e
  [ "$rc" -eq 0 ] && ! grep -q "JUCE Assertion failure" "$build/fuzz-$t.log" || { echo "fuzz: corvane_${t}_fuzzer failed (status $rc); inputs in $build/fuzz-crash-$t-*"; exit 1; }
done
