#!/usr/bin/env bash
# The built editor in a real X server with real input: start it on a font, paint a
# pixel with the mouse, save the font through the menu and the file dialog, quit
# through the Exit question, and check the bytes written.
#
# Usage: paint_and_save.sh PATH/TO/korvex
# Exit status 0 passed, 1 failed, 77 skipped (no Xvfb or xdotool here).
set -uo pipefail

editor="$1"
for tool in Xvfb xdotool xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/test installs it)"
        exit 77
    fi
done

# Client area of the main window and the glyph editor's place in it; the menu bar
# is above the client area, inside the X window.
client_height=645
editor_x=565
editor_y=10
editor_border=2
editor_pixel=30

work="$(mktemp -d)"
xvfb_pid=""
editor_pid=""
finish() {
    # Each was started in its own process group, which is ended whole.
    [ -n "$editor_pid" ] && kill -- -"$editor_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill -- -"$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# Waits up to a minute for a visible window of the editor whose name contains $1;
# prints its id.
window_named() {
    local id
    for _ in $(seq 600); do
        id="$(xdotool search --onlyvisible --all --pid "$editor_pid" --name "$1" 2>/dev/null |
            head -n 1)"
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    return 1
}

# The font: bytes 0, 1, .. 255 four times. Glyph 1's top row is byte 8 (0x08).
font="$work/FONT.fnt"
for _ in 1 2 3 4; do
    for i in $(seq 0 255); do printf "\\x$(printf %02x "$i")"; done
done >"$font"
# Painting the top-left pixel of glyph 1 sets the top bit of that byte.
expected="$work/expected.fnt"
{
    head -c 8 "$font"
    printf '\x88'
    tail -c +10 "$font"
} >"$expected"
saved="$work/saved.fnt"

setsid Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 300); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
# The server may still be settling after it names its display: wait until a client
# gets an answer from it.
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer: $(cat "$work/xvfb.log")"

# A home of its own, so that no recovery copy of another run is offered.
mkdir -p "$work/home"
HOME="$work/home" XDG_STATE_HOME="$work/home/state" XDG_CONFIG_HOME="$work/home/config" \
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 setsid "$editor" "$font" \
    >"$work/editor.log" 2>&1 &
editor_pid=$!

main="$(window_named 'Korvex 2')"
if [ -z "$main" ] && grep -q "could not connect to display" "$work/editor.log"; then
    # The toolkit could not reach a server that answers other clients: a fault of
    # this machine's X set-up, not of the editor.
    echo "SKIP: the editor could not connect to $DISPLAY: $(cat "$work/editor.log")"
    exit 77
fi
[ -n "$main" ] || fail "the main window did not appear: $(cat "$work/editor.log")"
eval "$(xdotool getwindowgeometry --shell "$main")"
menu_height=$((HEIGHT - client_height))
[ "$menu_height" -gt 0 ] || fail "unexpected window height $HEIGHT"
xdotool windowfocus --sync "$main"

# Paint: a left click in the middle of the editor's top-left pixel.
px=$((X + editor_x + editor_border + editor_pixel / 2))
py=$((Y + menu_height + editor_y + editor_border + editor_pixel / 2))
xdotool mousemove --sync "$px" "$py" click 1
sleep 0.5

# Save: the Font menu (the second title, reached from the first with Right, which
# highlights its first item) and its second item, "Save Font".
xdotool mousemove --sync $((X + 15)) $((Y + menu_height / 2)) click 1
sleep 0.5
xdotool key Right
sleep 0.3
xdotool key Down Return
dialog="$(window_named 'Save font')"
[ -n "$dialog" ] || fail "the save dialog did not appear"
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$saved"
xdotool key Return
for _ in $(seq 300); do
    [ -s "$saved" ] && break
    sleep 0.1
done
[ -s "$saved" ] || fail "nothing was saved to $saved"

# Quit: the Project menu's fifth item, "Exit" (no item is highlighted when a click
# opens a menu), then Yes to the question.
xdotool windowfocus --sync "$main"
xdotool mousemove --sync $((X + 15)) $((Y + menu_height / 2)) click 1
sleep 0.5
xdotool key Down Down Down Down Down Return
question="$(window_named 'Exit')"
[ -n "$question" ] || fail "the Exit question did not appear"
xdotool windowfocus --sync "$question"
sleep 0.3
xdotool key y
for _ in $(seq 300); do
    kill -0 "$editor_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$editor_pid" 2>/dev/null && fail "the editor did not quit"
wait "$editor_pid"
status=$?
editor_pid=""
[ "$status" -eq 0 ] || fail "the editor ended with status $status: $(cat "$work/editor.log")"

cmp "$saved" "$expected" || fail "the saved font differs from the expected bytes"
echo "PASS"
