#!/usr/bin/env bash
# Renders the PNG icons from their SVG sources: 16 colours, no anti-aliasing,
# as small icons are drawn. The PNGs are kept in the repository, so only a
# change to an SVG needs this (packages librsvg2-bin and imagemagick).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
css=$(mktemp --suffix=.css)
trap 'rm -f "$css"' EXIT
echo '* { shape-rendering: crispEdges; }' >"$css"

render() { # source size output
  rsvg-convert -s "$css" -w "$2" -h "$2" "$1" |
    convert png:- -colors 16 -define png:bit-depth=4 "PNG8:$3"
}
render quillbrook-16.svg 16 quillbrook-16.png
render quillbrook.svg 32 quillbrook-32.png
# The Windows programs' icon: both sizes in one file.
convert quillbrook-16.png quillbrook-32.png quillbrook.ico
