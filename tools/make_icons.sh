#!/usr/bin/env bash
# Draws the PNG sizes of the application icon from its SVG, into the hicolor layout
# under dist/icons/hicolor that the install copies. Run it after changing the SVG
# and commit the PNGs. Uses rsvg-convert (Debian: librsvg2-bin) when present, else
# ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."
svg=dist/icons/org.korvex.Korvex2.svg
for size in 16 22 24 32 48 64 128 256; do
    dir="dist/icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    out="$dir/org.korvex.Korvex2.png"
    if command -v rsvg-convert >/dev/null; then
        rsvg-convert -w "$size" -h "$size" "$svg" -o "$out"
    else
        /usr/bin/convert -background none -density 384 "$svg" -resize "${size}x${size}" "$out"
    fi
done
