#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program's PNG icons from its SVG drawings into assets/icons/hicolor.
# Run it after changing a drawing and commit the PNGs: the build itself needs no SVG renderer.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
id=example.atama_biyori.atama_keisan
icons=$top/assets/icons
scalable=$icons/hicolor/scalable/apps/$id.svg

command -v rsvg-convert >/dev/null 2>&1 || {
  echo "make-icons.sh: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2
  exit 1
}
for size in 16 22 24 32 48 64 128 256; do
  # The small sizes have drawings of their own on their pixel grid: the scalable one blurs there.
  case $size in
    16|22|24) drawing=$icons/source/atama-keisan-$size.svg ;;
    *) drawing=$scalable ;;
  esac
  mkdir -p "$icons/hicolor/${size}x$size/apps"
  rsvg-convert --width "$size" --height "$size" "$drawing" -o "$icons/hicolor/${size}x$size/apps/$id.png"
done
