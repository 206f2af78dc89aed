#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only those that
# are missing), then configures and builds. Sourced by run.sh and test.sh.
set -euo pipefail

QUILLBROOK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUILLBROOK_PACKAGES=(
  g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev libxcb-shm0-dev libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core librsvg2-bin python3 python3-xlib procps
  xscreensaver xscreensaver-data-extra weston dbus-daemon scdoc appstream desktop-file-utils man-db fish zsh
  ffmpeg libavformat-dev libavcodec-dev libavutil-dev
)
# Only for running the program: Qt's Wayland platform plugin. With it Qt runs
# natively on a Wayland desktop (WAYLAND_DISPLAY set), crisp at fractional
# scales, and falls back to X11 wherever there is no Wayland.
QUILLBROOK_RUN_PACKAGES=(qt6-wayland)

quillbrook_install_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  # A mirror caught mid-sync fails the update of one list; the packages may
  # still be had from the lists at hand, so only the install decides.
  "${sudo[@]}" apt-get update -qq || echo "apt-get update failed; installing from the package lists at hand" >&2
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

quillbrook_build() {
  local preset=$1
  (cd "$QUILLBROOK_ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset")
}

quillbrook_install_packages "${QUILLBROOK_PACKAGES[@]}"
