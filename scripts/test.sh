#!/usr/bin/env bash
# Sets everything up and runs the whole test suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$QUILLBROOK_ROOT"

# The core alone, built and tested without Qt.
quillbrook_build core
ctest --preset core

# Everything, the window program and its end-to-end tests included.
quillbrook_build default
ctest --preset default
