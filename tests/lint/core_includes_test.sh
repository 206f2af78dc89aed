#!/usr/bin/env bash
# The core-include check passes on the project and fails, naming the line, on
# each kind of include the core must not have.
set -euo pipefail
check="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/check-core-includes.sh"
"$check" || { echo "FAILED: the project's own core does not pass" >&2; exit 1; }

fixture=$(mktemp -d)
trap 'rm -rf "$fixture"' EXIT
mkdir -p "$fixture/geometry" "$fixture/animator" "$fixture/qt" "$fixture/encode/qt"
printf '#include <vector>\n#include <immintrin.h>\n#include "Vec2.h"\n' >"$fixture/geometry/Vec2.h"
printf '#include <QtCore>\n' >"$fixture/qt/Shell.cpp" # a shell may
printf '#include <QImage>\n' >"$fixture/encode/qt/Png.cpp" # and the formats' Qt part
for bad in '<QObject>' '<unistd.h>' '<sys/eventfd.h>' '  #  include <windows.h>' '"windows.h"' '"../qt/Shell.h"'; do
  line=$bad
  [[ "$bad" == *include* ]] || line="#include $bad"
  printf '#include <mutex>\n%s\n' "$line" >"$fixture/animator/Worker.cpp"
  if errors=$("$check" "$fixture" 2>&1); then
    echo "FAILED: $bad was let through" >&2
    exit 1
  fi
  grep -q '^animator/Worker.cpp:2: ' <<<"$errors" || { echo "FAILED: $bad not named: $errors" >&2; exit 1; }
  grep -qv '^animator/Worker.cpp:2: ' <<<"$errors" && { echo "FAILED: more than $bad named: $errors" >&2; exit 1; }
done
echo passed
