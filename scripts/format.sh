#!/usr/bin/env bash
# Checks that every C++ source follows .clang-format (clang-format-14), or with
# --fix rewrites the ones that do not. Lists the files that differ and fails.
#   scripts/format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format-14
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
differ=()
for f in "${files[@]}"; do
  "$format" --dry-run --Werror "$f" >/dev/null 2>&1 || differ+=("$f")
done
if [ ${#differ[@]} -ne 0 ]; then
  echo "not formatted (run scripts/format.sh --fix): ${differ[*]}"
  exit 1
fi
echo "format: ${#files[@]} files follow .clang-format"
