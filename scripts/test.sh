#!/usr/bin/env bash
# Sets up, builds and runs every test: the format check, the native release build with
# GCC, the sanitizer build with clang (so both compilers build and pass every test), the
# Windows cross builds (the 32-bit and 64-bit tests, programs and installer under wine),
# the end-to-end checks (closing, a dense screen, once more on the sanitizer build), the
# dump fuzzer, the random-input test, and every command the README shows. Prints how long
# each step took.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh

step_name=
step_start=0
finish_step() {
  [ -z "$step_name" ] || printf '== %s: %d s\n' "$step_name" $((SECONDS - step_start))
}
step() {
  finish_step
  step_name=$*
  step_start=$SECONDS
  printf '\n== %s (at %d s)\n' "$step_name" "$SECONDS"
}

step "format"
scripts/check-format.sh

step "build and test with GCC (release)"
CC=gcc CXX=g++ scripts/build.sh build -DTACHORA_TESTS=ON -DTACHORA_BENCHMARKS=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"

step "build and test with clang, AddressSanitizer and UndefinedBehaviorSanitizer"
CC=clang CXX=clang++ scripts/build.sh build-asan -DTACHORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

for extra in scripts/test-windows.sh scripts/test-e2e.sh scripts/test-packages.sh; do
  if [ -x "$extra" ]; then
    step "$(basename "$extra" .sh)"
    "$extra"
  fi
done

step "closing: 100 closes, every way, all with status 0"
tests/e2e/closes.sh build 100

step "a dense screen: the window at 2x and 1.5x"
tests/e2e/scaling.sh build

step "end-to-end with AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 scripts/test-e2e.sh build-asan

step "fuzzer: CPUID dumps for 60 s"
scripts/test-fuzz.sh 60

step "monkey: random input for 75 s on the sanitizer build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 scripts/test-monkey.sh build-asan 75

step "the README's commands, as written"
tests/e2e/readme-commands.sh

finish_step
printf '\nall tests passed in %d s\n' "$SECONDS"
