#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it on this
# machine with apt-get and runs what it installed: quillbrook-render and the
# man pages from their installed places. The package is removed again at the
# end, unless it was installed before.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
quillbrook_install_packages lintian dpkg-dev
cd "$QUILLBROOK_ROOT"
quillbrook_build default

rm -f build/quillbrook_*.deb
(cd build && cpack -G DEB >/dev/null)
package=$(ls "$PWD"/build/quillbrook_*.deb)
echo "Built $package"

echo "lintian:"
lintian --fail-on error --display-info "$package"

listing=$(dpkg-deb -c "$package" | awk '{print $6}')
for file in ./usr/bin/quillbrook ./usr/bin/quillbrook-render ./usr/libexec/xscreensaver/quillbrook \
  ./usr/share/applications/org.quillbrook.Quillbrook.desktop \
  ./usr/share/metainfo/org.quillbrook.Quillbrook.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.quillbrook.Quillbrook.svg \
  ./usr/share/man/man1/quillbrook.1.gz ./usr/share/man/man1/quillbrook-render.1.gz \
  ./usr/share/bash-completion/completions/quillbrook-render ./usr/share/zsh/vendor-completions/_quillbrook-render \
  ./usr/share/fish/vendor_completions.d/quillbrook-render.fish ./usr/share/doc/quillbrook/copyright \
  ./usr/share/doc/quillbrook/changelog.gz; do
  grep -qx -- "$file" <<<"$listing" || { echo "the package lacks $file" >&2; exit 1; }
done
for size in 16 24 32 48 64 128 256; do
  icon=./usr/share/icons/hicolor/${size}x$size/apps/org.quillbrook.Quillbrook.png
  grep -qx -- "$icon" <<<"$listing" || { echo "the package lacks $icon" >&2; exit 1; }
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
installed_before=$(dpkg-query -W -f='${Status}' quillbrook 2>/dev/null | grep -c "install ok installed" || true)
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$package" >/dev/null
if [ "$installed_before" = 0 ]; then
  trap 'DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq quillbrook >/dev/null' EXIT
fi
/usr/bin/quillbrook-render --version
man -w quillbrook
man -w quillbrook-render
echo "package: fine"
