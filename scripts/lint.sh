#!/usr/bin/env bash
# Static checks: no Qt or operating-system header in the core, clang-tidy
# and cppcheck on the program's sources, and the formatting of every C++
# file. Needs a configured default build (for the compile commands). Fails on
# any finding.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mapfile -t sources < <(git ls-files 'geometry/*.cpp' 'morph/*.cpp' 'render/*.cpp' 'animator/*.cpp' 'encode/*.cpp' 'files/*.cpp' \
  'qt/*.cpp' 'x11/*.cpp' 'headless/*.cpp' 'bench/*.cpp')
mapfile -t everything < <(git ls-files '*.cpp' '*.h')

echo "core includes"
scripts/check-core-includes.sh

echo "clang-format: ${#everything[@]} files"
clang-format --dry-run --Werror "${everything[@]}"

echo "cppcheck: ${#sources[@]} files"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --inline-suppr \
  --enable=warning,performance,portability --suppress=missingIncludeSystem \
  -I geometry -I morph -I render -I animator -I encode -I encode/qt -I files -I qt -I x11 -I headless "${sources[@]}"

echo "clang-tidy: ${#sources[@]} files"
report=$(mktemp)
trap 'rm -f "$report"' EXIT
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet >"$report" 2>&1 || true
if grep -E '(warning|error):' "$report"; then
  echo "clang-tidy found problems" >&2
  exit 1
fi

# The Windows programs, as the mingw-w64 build sees them.
mapfile -t win_sources < <(git ls-files 'win/*.cpp')
echo "cppcheck: ${#win_sources[@]} Windows files"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --inline-suppr \
  --enable=warning,performance,portability --suppress=missingIncludeSystem --library=windows \
  -D_WIN32 -D_WIN64 -DUNICODE -D_UNICODE -DNOMINMAX -DWIN32_LEAN_AND_MEAN -DQUILLBROOK_VERSION='"0"' \
  -I geometry -I morph -I render -I animator -I shell -I win "${win_sources[@]}"

# clang-tidy with the Windows build's compile commands. Clang finds the
# mingw-w64 headers but not its C++ library's: those g++ names.
if [ -f build-windows/compile_commands.json ]; then
  echo "clang-tidy: ${#win_sources[@]} Windows files"
  tidy_args=(--extra-arg=--target=x86_64-w64-mingw32)
  while read -r dir; do tidy_args+=("--extra-arg=-isystem$dir"); done < <(
    x86_64-w64-mingw32-g++-posix -x c++ -E -v - </dev/null 2>&1 |
      sed -n '/^#include <\.\.\.>/,/^End of/s|^ \(/.*/include/c++.*\)|\1|p')
  printf '%s\n' "${win_sources[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p build-windows --quiet "${tidy_args[@]}" \
    >"$report" 2>&1 || true
  if grep -E '(warning|error):' "$report"; then
    echo "clang-tidy found problems in win/" >&2
    exit 1
  fi
else
  echo "clang-tidy: no build-windows (scripts/test-windows.sh makes it), so not on win/" >&2
fi
echo "lint: no findings"
