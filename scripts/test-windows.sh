#!/usr/bin/env bash
# Builds the Windows programs (64-bit and 32-bit) with mingw-w64 and runs
# their tests under wine, in a fresh wine prefix and on private Xvfb
# displays: the core test suite, the Windows shell's own tests and the
# programs end to end. The 32-bit tests need wine32 (Debian's i386
# architecture); where it cannot be installed the 32-bit programs are built
# and checked, and the tests are skipped with a word why.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$QUILLBROOK_ROOT"

quillbrook_install_packages g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest wine wine64 binutils

wine32=yes
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" dpkg --add-architecture i386
  "${sudo[@]}" apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends wine32:i386 ||
    wine32=
fi

WINEPREFIX=$(mktemp -d)/wine
export WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
echo "Making the wine prefix $WINEPREFIX"
DISPLAY= wineboot --init >/dev/null 2>&1
wineserver -w
DISPLAY= scripts/wine-session.sh

quillbrook_build windows
# The Linux renderer, where test.sh has built it, for the end-to-end test to
# hold the Windows window's picture against.
if [ -x build/bin/quillbrook-render ]; then
  export QUILLBROOK_RENDER=$PWD/build/bin/quillbrook-render
fi
ctest --preset windows -j2

quillbrook_build windows-32
if [ -n "$wine32" ]; then
  ctest --preset windows-32 -j2
else
  echo "wine32 could not be installed: the 32-bit programs are built and checked, not run" >&2
  ctest --preset windows-32 -L static
fi

# The zip of both programs, the licence and the read-me.
(cd build-windows && cpack)
