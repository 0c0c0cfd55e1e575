#!/usr/bin/env bash
# Sets up, builds and runs every test: the native build, the sanitizer build, the format
# check, the Windows cross builds (64-bit tests under wine), the end-to-end checks (once
# more on the sanitizer build), the dump fuzzer and the random-input test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh

step() { printf '\n== %s (at %d s)\n' "$*" "$SECONDS"; }

step "format"
scripts/check-format.sh

step "build and test"
scripts/build.sh build
ctest --test-dir build --output-on-failure -j"$(nproc)"

step "build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DTACHORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

for extra in scripts/test-windows.sh scripts/test-e2e.sh; do
  if [ -x "$extra" ]; then
    step "$(basename "$extra" .sh)"
    "$extra"
  fi
done

step "end-to-end with AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 scripts/test-e2e.sh build-asan

step "fuzzer: CPUID dumps for 60 s"
scripts/test-fuzz.sh 60

step "monkey: random input for 75 s on the sanitizer build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 scripts/test-monkey.sh build-asan 75

printf '\nall tests passed in %d s\n' "$SECONDS"
