#!/usr/bin/env bash
# test-e2e.sh [BUILD_DIR]: the end-to-end checks of the real program under Xvfb
# (BUILD_DIR defaults to build/, where scripts/test.sh builds).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec "$root/tests/e2e/run-e2e.sh" "${1:-$root/build}"
