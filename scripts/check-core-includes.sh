#!/usr/bin/env bash
# The core builds and runs without Qt and without any operating-system
# interface: its files may include the C++ standard library, the compiler's
# instruction-set headers and each other, nothing else. Checks every C++ file
# of the core folders under the given root (default: the repository) and
# names each include that breaks the rule. A quoted include must be a header
# of the core itself, since the compiler would look for any other among the
# system's headers too.
set -euo pipefail
root=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
core_folders=(geometry morph render animator shell encode)
# Within them, the parts that may use Qt and the system: the formats that
# need Qt or FFmpeg.
not_core=(encode/qt)
# Headers of the compiler itself, for the fade's vector kernels.
allowed_system=(immintrin.h emmintrin.h)

prune=()
for part in "${not_core[@]}"; do
  prune+=(-path "$root/$part" -prune -o)
done

status=0
for folder in "${core_folders[@]}"; do
  [ -d "$root/$folder" ] || continue
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      number=${line%%:*}
      header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]*)>.*/\1/' <<<"${line#*:}")
      # Standard C++ headers are lower-case names without an extension.
      if [[ "$header" =~ ^[a-z_]+$ ]] || [[ " ${allowed_system[*]} " == *" $header "* ]]; then
        continue
      fi
      echo "${file#"$root"/}:$number: <$header> is neither standard C++ nor allowed in the core" >&2
      status=1
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' "$file" || true)
    while IFS= read -r line; do
      number=${line%%:*}
      header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"${line#*:}")
      found=no
      for core in "${core_folders[@]}"; do
        [ -f "$root/$core/$header" ] && found=yes
      done
      if [ "$found" = no ]; then
        echo "${file#"$root"/}:$number: \"$header\" is not a header of the core" >&2
        status=1
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  done < <(find "$root/$folder" "${prune[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done
exit $status
