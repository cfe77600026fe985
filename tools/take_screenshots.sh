#!/usr/bin/env bash
# Takes the pictures README shows, into doc/screenshots/: the editor runs in a
# private Xvfb display, opens doc/screenshots/sample.proj2 through Project > Open...
# and its file dialog, and each window is captured with ImageMagick's import:
#   main-window.png, view-editor.png, atari-view.png, multi-font-view.png,
#   picture-to-screen.png, palette.png
# Builds the editor first when ./build has none. Needs xvfb, xdotool, x11-utils and
# imagemagick (installed when missing). There is no window manager: windows are
# placed with xdotool so that none covers another while it is captured.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/xvfb.sh
korvex_install_deps xvfb xdotool x11-utils imagemagick
root=$PWD
out=$root/doc/screenshots
project=$out/sample.proj2
editor=$root/build/korvex
if [ ! -x "$editor" ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)" --target korvex
fi

work=$(mktemp -d /tmp/korvex-shots-XXXXXX)
xvfb_pid="" editor_pid=""
finish() {
    set +e
    for pid in $editor_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM

korvex_start_xvfb "$work" 3000x1500
# A state folder of its own: no recovery copy of an earlier run is offered.
export XDG_STATE_HOME=$work/state XDG_CONFIG_HOME=$work/config

# The window of the editor with the given title, once it is mapped.
window_named() {
    xdotool search --sync --all --onlyvisible --pid "$editor_pid" --name "^$1" | head -n 1
}
# Client coordinates of the main window start below its menu bar.
click_client() {
    xdotool mousemove --window "$main" "$1" $(($2 + menu_height)) click 1
}
capture() {
    sleep 1 # the last paint reaches the server
    import -window "$1" "$out/$2"
    echo "wrote doc/screenshots/$2"
}

"$editor" >"$work/editor.log" 2>&1 &
editor_pid=$!
main=$(window_named "Korvex 2")
xdotool windowmove --sync "$main" 0 0
# The window is the layout's fixed client area plus the menu bar above it.
read -r _ height < <(xdotool getwindowgeometry --shell "$main" |
    awk -F= '/^WIDTH/ { w = $2 } /^HEIGHT/ { h = $2 } END { print w, h }')
client_height=$(grep -o 'kClientHeight = [0-9]*' src/gui/main_window_layout.cpp | grep -o '[0-9]*$')
menu_height=$((height - client_height))

# Project > Open..., then the file name typed into the dialog.
xdotool windowfocus --sync "$main"
xdotool mousemove --window "$main" 25 $((menu_height / 2)) click 1
sleep 0.3
xdotool key Down Return
dialog=$(window_named "Open project")
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 5 "$project"
xdotool key Return
while xdotool search --all --onlyvisible --pid "$editor_pid" --name "^Open project" >/dev/null; do
    sleep 0.1
done
sleep 1 # the main window repaints where the dialog was

# The tree's top-left glyph (code 67) in the glyph editor: the font canvas shows 32
# glyphs a row from (90, 450); then the set redrawn over it.
click_client $((90 + 3 * 17 + 8)) $((450 + 2 * 17 + 8))
capture "$main" main-window.png

click_client 870 576 # View Editor
viewer=$(window_named "View Editor")
xdotool windowmove --sync "$viewer" 0 700
# The strip's current row on the first double-height row of the water.
xdotool windowfocus --sync "$viewer"
xdotool key --delay 20 --repeat 21 ctrl+shift+Down
capture "$viewer" view-editor.png

# View > Atari View, at its opening zoom of 2x.
xdotool key ctrl+t
atari=$(window_named "Atari View")
xdotool windowmove --sync "$atari" 1900 0
capture "$atari" atari-view.png

click_client 870 535 # Multi Font Viewer
multi=$(window_named "Multi Font View")
xdotool windowmove --sync "$multi" 1200 0
capture "$multi" multi-font-view.png

# File > Import picture to screen... with a photograph, four-colour, four fonts.
xdotool windowfocus --sync "$viewer"
xdotool key ctrl+shift+i
importer=$(window_named "Import picture to screen")
xdotool windowmove --sync "$importer" 1900 800
xdotool windowfocus --sync "$importer"
xdotool key ctrl+o
picture_dialog=$(window_named "Load picture")
xdotool windowfocus --sync "$picture_dialog"
sleep 0.3
xdotool type --delay 5 "$root/tests/data/pictures/chelsea.png"
xdotool key Return
sleep 3
xdotool mousemove --window "$importer" 150 77 click 5 # mode: the wheel to four-colour
xdotool mousemove --window "$importer" 110 105 click 4 click 4 click 4 # fonts: 4
sleep 4 # the conversion runs beside the window
capture "$importer" picture-to-screen.png
xdotool windowfocus --sync "$importer"
xdotool key Escape

click_client 790 320 # the palette of register LUM
palette=$(window_named "ATARI palette")
xdotool windowmove --sync "$palette" 1200 700
capture "$palette" palette.png
