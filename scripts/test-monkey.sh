#!/usr/bin/env bash
# test-monkey.sh [BUILD_DIR] [SECONDS] [SEED]: the random-input test of the real program
# under Xvfb (BUILD_DIR defaults to build-asan/, the sanitizer build scripts/test.sh makes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec "$root/tests/e2e/monkey.sh" "${1:-$root/build-asan}" "${@:2}"
