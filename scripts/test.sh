#!/usr/bin/env bash
# Sets everything up and runs the whole test suite: the core alone without
# Qt; everything in the plain build and again under AddressSanitizer with
# UndefinedBehaviorSanitizer and under ThreadSanitizer; then the static checks.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$QUILLBROOK_ROOT"
# The Wayland end-to-end test runs the program on Qt's Wayland platform.
quillbrook_install_packages "${QUILLBROOK_RUN_PACKAGES[@]}"

quillbrook_build core
ctest --preset core

for preset in default asan tsan; do
  quillbrook_build "$preset"
  ctest --preset "$preset"
done

scripts/lint.sh
