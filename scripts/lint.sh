#!/usr/bin/env bash
# Static checks: no Qt or operating-system header in the core, clang-tidy
# and cppcheck on the program's sources, and the formatting of every C++
# file. Needs a configured default build (for the compile commands). Fails on
# any finding.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mapfile -t sources < <(git ls-files 'geometry/*.cpp' 'morph/*.cpp' 'render/*.cpp' 'animator/*.cpp' 'files/*.cpp' 'qt/*.cpp' \
  'headless/*.cpp' 'bench/*.cpp')
mapfile -t everything < <(git ls-files '*.cpp' '*.h')

echo "core includes"
scripts/check-core-includes.sh

echo "clang-format: ${#everything[@]} files"
clang-format --dry-run --Werror "${everything[@]}"

echo "cppcheck: ${#sources[@]} files"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --inline-suppr \
  --enable=warning,performance,portability --suppress=missingIncludeSystem \
  -I geometry -I morph -I render -I animator -I files -I qt -I headless "${sources[@]}"

echo "clang-tidy: ${#sources[@]} files"
report=$(mktemp)
trap 'rm -f "$report"' EXIT
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet >"$report" 2>&1 || true
if grep -E '(warning|error):' "$report"; then
  echo "clang-tidy found problems" >&2
  exit 1
fi
echo "lint: no findings"
