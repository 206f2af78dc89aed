#!/usr/bin/env bash
# Sets everything up, builds, and starts Quillbrook.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$QUILLBROOK_ROOT"
quillbrook_build default
exec build/bin/quillbrook "$@"
