#!/usr/bin/env bash
# Checks that every C++ file keeps the style in .clang-format; prints the places that do not.
# To apply the style: tools/check-format.sh --fix
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find src tests app bench -name '*.cpp' -o -name '*.h' | sort)
if [[ "${1:-}" == "--fix" ]]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run --Werror "${files[@]}"
fi
