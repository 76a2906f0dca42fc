#!/usr/bin/env bash
# Renders the PNG sizes of the icon from its SVG (needs rsvg-convert: apt-get install librsvg2-bin).
# The PNGs are kept in the repository, so a build never needs this.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  mkdir -p "$size"
  rsvg-convert -w "$size" -h "$size" org.velantro.Velantro.svg -o "$size/org.velantro.Velantro.png"
done
