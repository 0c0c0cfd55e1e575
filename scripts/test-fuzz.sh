#!/usr/bin/env bash
# test-fuzz.sh [SECONDS]: builds the CPUID dump fuzzer with clang in build-fuzz (only it
# and the libraries it needs) and runs it for SECONDS (60 by default), seeded with the
# recorded dumps. Any finding (crash, sanitizer report, leak, timeout) fails. Prints the
# executions per second and the line coverage the run reached in cpuinfo/ and tools/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$root/build-fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  # Warnings are the regular builds' concern; this one only probes.
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTACHORA_TESTS=OFF \
    -DTACHORA_WERROR=OFF -DTACHORA_FUZZ=ON "${launcher[@]}" >/dev/null
fi
if ! ninja -C "$build" dump_fuzzer >"$build/build.log" 2>&1; then
  cat "$build/build.log"
  exit 1
fi

corpus=$build/fuzz-corpus
mkdir -p "$corpus"
rm -f "$build"/fuzz.profraw "$build"/crash-* "$build"/leak-* "$build"/timeout-*
if ! (cd "$build" && LLVM_PROFILE_FILE=$build/fuzz.profraw ./tests/fuzz/dump_fuzzer \
  -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -dict="$root/tests/fuzz/cpuid-dump.dict" "$corpus" "$root/tests/data/cpuid-dumps" \
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
