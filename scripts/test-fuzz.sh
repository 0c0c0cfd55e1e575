#!/usr/bin/env bash
# test-fuzz.sh [SECONDS]: builds the CPUID dump fuzzer with clang in build-fuzz (only it
# and the libraries it needs) and runs it for SECONDS (60 by default), seeded with the
# recorded dumps and the fuzzer's own corpus (tests/fuzz/corpus). Any finding (crash,
# sanitizer report, leak, timeout) fails. Prints the executions per second and the line
# coverage the run reached in cpuinfo/ and tools/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$root/build-fuzz
# Warnings are the regular builds' concern; this one only probes. The output waits
# outside the folder, which build.sh starts over when it was made with another compiler.
if ! log=$(TARGETS=dump_fuzzer CC=clang CXX=clang++ "$root/scripts/build.sh" "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTACHORA_TESTS=OFF -DTACHORA_WERROR=OFF \
  -DTACHORA_FUZZ=ON 2>&1); then
  printf '%s\n' "$log"
  exit 1
fi
printf '%s\n' "$log" >"$build/build.log"

corpus=$build/fuzz-corpus
mkdir -p "$corpus"
rm -f "$build"/fuzz.profraw "$build"/crash-* "$build"/leak-* "$build"/timeout-*
if ! (cd "$build" && LLVM_PROFILE_FILE=$build/fuzz.profraw ./tests/fuzz/dump_fuzzer \
  -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -dict="$root/tests/fuzz/cpuid-dump.dict" "$corpus" "$root/tests/fuzz/corpus" \
  "$root/tests/data/cpuid-dumps" \
  >"$build/fuzz.log" 2>&1); then
  tail -n 60 "$build/fuzz.log"
  echo "fuzz: a finding; the input is in $build (crash-*, leak-* or timeout-*)" >&2
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz.log")
speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$build/fuzz.log")
echo "fuzz: $runs inputs in $seconds s, $speed executions per second, no finding"

llvm-profdata merge -sparse "$build/fuzz.profraw" -o "$build/fuzz.profdata"
for folder in cpuinfo tools; do
  llvm-cov report "$build/tests/fuzz/dump_fuzzer" -instr-profile="$build/fuzz.profdata" \
    "$root/$folder" | awk -v f="$folder/" '/^TOTAL/ {
      printf "fuzz: coverage of %-9s lines %s, regions %s, functions %s\n", f, $10, $4, $7 }'
done
