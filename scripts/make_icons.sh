#!/usr/bin/env bash
# Draws the PNG sizes of the program's icon from its SVG. The PNGs are kept in
# the repository, so only a change of the SVG needs this (rsvg-convert comes
# with Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" quillmere.svg -o "${size}x${size}/quillmere.png"
done
