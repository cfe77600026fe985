#!/usr/bin/env bash
# Takes doc/screenshots/tiled-map.png, the picture README shows of a screen exported
# with korvex-cli screen-to-tmx and opened in Tiled: screen 0 of
# doc/screenshots/sample.proj2, in a private Xvfb display, captured with
# ImageMagick's import. Builds korvex-cli first when ./build has none. Needs tiled,
# xvfb, x11-utils and imagemagick (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/xvfb.sh
korvex_install_deps tiled xvfb x11-utils imagemagick
root=$PWD
cli=$root/build/korvex-cli
if [ ! -x "$cli" ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)" --target korvex-cli
fi

work=$(mktemp -d /tmp/korvex-tiled-shot-XXXXXX)
xvfb_pid="" tiled_pid=""
finish() {
    set +e
    for pid in $tiled_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

"$cli" screen-to-tmx doc/screenshots/sample.proj2 --screen 0 -o "$work/title.tmx"

korvex_start_xvfb "$work" 1700x760
# Settings of its own: Tiled starts as it does the first time.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME"

tiled --disable-opengl -geometry 1700x760+0+0 "$work/title.tmx" >"$work/tiled.log" 2>&1 &
tiled_pid=$!
sleep 8 # the window is up and the map drawn
import -window root "$root/doc/screenshots/tiled-map.png"
echo "wrote doc/screenshots/tiled-map.png"
