#!/usr/bin/env bash
# The desktop files as a software centre and a menu read them: the metainfo
# passes AppStream's strict check, both desktop entries pass
# desktop-file-validate without an error or a warning, the id is the same in the metainfo, the entry and
# the icon, every icon has its size, and both man pages render without a
# warning.
#   check_desktop_files.sh SOURCE_DIR PACKAGE_BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
id=org.quillbrook.Quillbrook
metainfo=$build_dir/$id.metainfo.xml
fail() { echo "FAILED: $*" >&2; exit 1; }

appstreamcli validate --no-net --strict "$metainfo" >/dev/null ||
  fail "$(appstreamcli validate --no-net --strict "$metainfo")"
for entry in "$source_dir/res/$id.desktop" "$source_dir/res/screensaver/quillbrook.desktop"; do
  # Hints (a screensaver entry has no menu category) are not faults.
  report=$(desktop-file-validate "$entry" 2>&1) || fail "$entry: $report"
  ! grep -E "(error|warning):" <<<"$report" || fail "$entry: $report"
done
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"
grep -qx "Icon=$id" "$source_dir/res/$id.desktop" || fail "the desktop entry's icon is not $id"

for size in 16 24 32 48 64 128 256; do
  icon=$build_dir/icons/${size}x$size/$id.png
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] || fail "$icon is not ${size}x$size"
done

for page in quillbrook.1 quillbrook-render.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$build_dir/man/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
echo "desktop files, icons and man pages: fine"
