# Sourced by the scripts that drive windows in a private X server.
#
# korvex_start_xvfb WORK WIDTHxHEIGHT: starts Xvfb on a free display, its log in
# WORK/xvfb.log, and exports DISPLAY once the server answers. The server's process
# is left in xvfb_pid for the caller's clean-up. Qt is told to use that display,
# not an offscreen or Wayland one. Needs xvfb and x11-utils.
korvex_start_xvfb() {
    local work=$1 size=$2
    # Xvfb picks a free display and writes its number on the given descriptor.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$work/display")"
    # The server may still be settling after it names its display.
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}
