#!/usr/bin/env bash
# Sets everything up, builds, and starts Quillbrook. Where there is no display
# it runs the program on a virtual X server instead, saves a screenshot after
# three seconds to quillbrook-screenshot.png and ends it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
quillbrook_install_packages "${QUILLBROOK_RUN_PACKAGES[@]}"
cd "$QUILLBROOK_ROOT"
quillbrook_build default

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/quillbrook "$@"
fi

shot="$QUILLBROOK_ROOT/quillbrook-screenshot.png"
rm -f "$shot"
export QUILLBROOK_SHOT=$shot
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
  export XDG_RUNTIME_DIR
fi
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -u
  build/bin/quillbrook "$@" &
  program=$!
  window=
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "^Quillbrook\$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "Quillbrook did not open its window" >&2
    kill "$program" 2>/dev/null
    exit 1
  fi
  sleep 3
  import -window "$window" "$QUILLBROOK_SHOT"
  # Ends it as a user would, with Escape; only if that fails, by force.
  xdotool windowfocus --sync "$window" key Escape
  for _ in $(seq 20); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
' quillbrook "$@"
echo "$shot"
