#!/usr/bin/env bash
# Fails on any C++ source of the project that clang-format (with .clang-format) would change, and
# shows where. Build folders are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
find . \( -path './build*' -o -path ./.git -o -path ./.cache \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
    sort -z | xargs -0 "${CLANG_FORMAT:-clang-format}" --dry-run --Werror
