#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it, or a
# production source is longer than scripts/check-file-size.sh allows.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-file-size.sh
files=$(git ls-files '*.h' '*.cpp')
[ -n "$files" ] || exit 0
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
