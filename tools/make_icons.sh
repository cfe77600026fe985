#!/usr/bin/env bash
# Draws the PNG sizes of the application icon, into the hicolor layout under
# dist/icons/hicolor that the install copies: 48 pixels and up from the SVG, 16 to 32
# from the small SVG at 16 or 32 pixels (whole pixels to a glyph cell, so they stay
# sharp), 22 and 24 centred on a transparent field. Run it after changing an SVG and commit the PNGs. Uses rsvg-convert
# (Debian: librsvg2-bin) when present, else ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/.."
# render SVG SIZE OUT
render() {
    if command -v rsvg-convert >/dev/null; then
        rsvg-convert -w "$2" -h "$2" "$1" -o "$3"
    else
        convert -background none -density 384 "$1" -resize "$2x$2" "$3"
    fi
}
for size in 16 22 24 32 48 64 128 256; do
    dir="dist/icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    out="$dir/org.korvex.Korvex2.png"
    if [ "$size" -eq 32 ]; then
        render dist/icons/org.korvex.Korvex2-small.svg 32 "$out"
    elif [ "$size" -le 24 ]; then
        render dist/icons/org.korvex.Korvex2-small.svg 16 "$out"
        convert "$out" -background none -gravity center -extent "${size}x${size}" "$out"
    else
        render dist/icons/org.korvex.Korvex2.svg "$size" "$out"
    fi
done
