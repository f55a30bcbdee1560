#!/usr/bin/env bash
# Renders the icon's PNG sizes from the SVG sources with rsvg-convert (Debian: librsvg2-bin). Run
# from this folder; the PNG files are committed, so building needs no SVG renderer. The 16 pixel
# icon is small.svg, drawn on whole pixels without the letter; the other sizes use the full icon.
set -euo pipefail
id=io.github.dravik.editor
for size in 16 24 32 48 64 128 256; do
  source=$id.svg
  [ "$size" -eq 16 ] && source=small.svg
  rsvg-convert -w "$size" -h "$size" "$source" -o "$id-$size.png"
done
# The window and the About box show the same picture.
cp "$id-256.png" ../../res/icon.png
