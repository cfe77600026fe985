#!/usr/bin/env bash
# Times every conversion of korvex-cli beside `cat` of the same input, and, when a
# second converter is given, that one in the same run.
#
#   bench/cli_vs_cat.sh [KORVEX_CLI] [OTHER_KORVEX_CLI]
#
# KORVEX_CLI defaults to build/korvex-cli. Prints, per conversion, the median wall
# time of the whole process (start to exit) and its ratio to `cat`. The inputs are
# made from a generated project; outputs go to a folder in /dev/shm when there is
# one, so the fsync of every atomic save costs what it costs on a RAM disk and the
# figures show the converter, not the disk.
#
# Uses hyperfine (installed through scripts/deps.sh when missing). The runs of the
# commands compared are split into rounds that take turns, so a change in the
# machine's load falls on all of them alike. KORVEX_BENCH_RUNS sets the runs per
# command (default 300), KORVEX_BENCH_ROUNDS the rounds (default 10).
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
new_cli="$(realpath "${1:-$here/build/korvex-cli}")"
old_cli="${2:+$(realpath "$2")}"
runs="${KORVEX_BENCH_RUNS:-300}"
rounds="${KORVEX_BENCH_ROUNDS:-10}"
runs_per_round=$(((runs + rounds - 1) / rounds))

if ! command -v hyperfine >/dev/null; then
    # shellcheck source=../scripts/deps.sh
    source "$here/scripts/deps.sh"
    korvex_install_deps hyperfine
fi
command -v jq >/dev/null || { source "$here/scripts/deps.sh"; korvex_install_deps jq; }

base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
work="$(mktemp -d "$base/korvex-cli-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"

# A project with ten fonts (font 1 the ROM font, the others pseudo-random), 100
# filled sets, nine full screens and a row table on screen 3.
rom_bytes="$(od -An -v -tu1 "$here/data/atari-rom-font.fnt" | tr -s ' \n' ' ')"
awk -v rom="$rom_bytes" 'BEGIN {
    ORS = "\r\n"; srand(19)
    print "VER$=0.52"; print "[GLOBAL]"; print "MULTI_V_F=1 2 3 4 5 "
    print "VE_GRID=0"; print "VE_SETDRAW=0"; print "VE_TOP=0"; print "VE_RANTRYB=0"
    print "VE_XSTART=0"; print "VE_YSTART=0"; print "VE_W=5"; print "VE_H=5"
    print "[FONTS & COLOR]"
    split(rom, romByte, " ")
    for (f = 1; f <= 10; ++f) {
        print "FONT_NAME_" f "=font " f
        print "FONT_COLOR_" f "=14 0 40 202 148 70"
        line = "FONT_DATA_" f "="
        for (b = 1; b <= 1024; ++b)
            line = line (f == 1 ? romByte[b] : int(rand() * 256)) " "
        print line
    }
    print "[SETS]"
    for (s = 1; s <= 100; ++s) {
        line = "SET_" s "="
        for (c = 0; c < 25; ++c) line = line int(rand() * 256) " "
        print line
    }
    print "[VIEW EDITOR SCREENS]"
    for (n = 0; n < 9; ++n) {
        line = "SCREEN_" n "="
        for (c = 0; c < 960; ++c) line = line int(rand() * 256) " "
        print line
    }
    # Screen 3 shows all ten fonts in every mode, as a display list with
    # interrupts between its rows would.
    fonts = "VE_ROW_FONTS_3="; modes = "VE_ROW_MODES_3="
    split("0 2 4 5", mode, " ")
    for (r = 0; r < 24; ++r) {
        fonts = fonts (r ? "," : "") (r % 10 + 1)
        modes = modes (r ? "," : "") mode[r % 4 + 1]
    }
    print fonts; print modes
}' >project.proj2

prepare="${old_cli:-$new_cli}"
"$prepare" extract project.proj2 --font 1 -o font.fnt
"$prepare" extract project.proj2 --screens -o screens.ved2
"$prepare" extract project.proj2 --sets -o sets.sets
"$prepare" font-to-image font.fnt -o font.png
# A 320 x 192 photograph of the picture-to-screen tests.
cp "$here/tests/data/pictures/astronaut.png" photo.png

# name | input that cat reads | arguments after the converter (OUT is the output)
conversions=(
    "export-font|font.fnt|export-font font.fnt --lang asm-hex -o OUT.txt"
    "export-screen|screens.ved2|export-screen screens.ved2 --screen 3 --lang basic -o OUT.txt"
    "font-to-image --scale 4|font.fnt|font-to-image font.fnt --scale 4 --four-colour -o OUT.png"
    "image-to-font|font.png|image-to-font font.png -o OUT.fnt"
    "set-to-bin|sets.sets|set-to-bin sets.sets --set 42 font.fnt -o OUT.bin"
    "extract|project.proj2|extract project.proj2 --font 7 -o OUT.fnt"
    "screen-to-image|project.proj2|screen-to-image project.proj2 --screen 3 --scale 2 -o OUT.png"
    "display-list|project.proj2|display-list project.proj2 --screen 3 --screen-address 16384 --dl-address 15360 --font-address 1=32768,2=33792,3=34816,4=35840,5=36864,6=37888,7=38912,8=39936,9=40960,10=41984 -o OUT.asm"
    "picture-to-screen|photo.png|picture-to-screen photo.png -o OUT.proj2"
    "picture-to-screen --fonts 4|photo.png|picture-to-screen photo.png --into project.proj2 --mode 4 --fonts 4 -o OUT.proj2"
    "--version|-|--version"
)

# Median over the times of every round.
median_ms() {
    jq -s -r "[.[].results[$1].times[]] | sort | (.[(length - 1) / 2 | floor] +
              .[length / 2 | floor]) / 2 * 1000" round-*.json
}
# Mean CPU time (user + system) of a run: on a busy machine it tells the work done
# apart from the time spent waiting for a core.
cpu_ms() {
    jq -s -r "[.[].results[$1] | .user + .system] | add / length * 1000" round-*.json
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "cores: $(nproc); load average: $(cut -d' ' -f1-3 /proc/loadavg);" \
    "runs per command: $((runs_per_round * rounds)) in $rounds rounds; outputs in $base"
echo "ms: median wall time of the process; cpu: mean user + system time, ms"
header="%-28s %8s %8s %8s %8s %8s"
row="%-28s %8.3f %8.3f %8s %8.3f %8.3f"
if [ -n "$old_cli" ]; then
    header+=" %8s %8s %8s"
    row+=" %8.3f %8s %8.3f"
fi
titles=("conversion" "cat ms" "new ms" "new/cat" "cat cpu" "new cpu")
[ -n "$old_cli" ] && titles+=("old ms" "old/cat" "old cpu")
# shellcheck disable=SC2059
printf "$header\n" "${titles[@]}"
for i in "${!conversions[@]}"; do
    IFS='|' read -r name input arguments <<<"${conversions[$i]}"
    commands=()
    [ "$input" = "-" ] && commands+=("cat /dev/null") || commands+=("cat $input")
    commands+=("$new_cli ${arguments//OUT/new-$i}")
    # An older converter may not know a newer command; its column stays empty then.
    old_knows=""
    first="${arguments%% *}"
    if [ -n "$old_cli" ] && { [ "${first:0:1}" = "-" ] || "$old_cli" help "$first" >/dev/null 2>&1; }; then
        old_knows=1
        commands+=("$old_cli ${arguments//OUT/old-$i}")
    fi
    rm -f round-*.json
    for round in $(seq "$rounds"); do
        hyperfine -N --style none --warmup 5 --runs "$runs_per_round" \
            --export-json "round-$round.json" "${commands[@]}" >/dev/null 2>&1
    done
    cat_ms="$(median_ms 0)"
    new_ms="$(median_ms 1)"
    values=("$name" "$cat_ms" "$new_ms" "$(ratio "$new_ms" "$cat_ms")" "$(cpu_ms 0)" "$(cpu_ms 1)")
    if [ -n "$old_knows" ]; then
        old_ms="$(median_ms 2)"
        values+=("$old_ms" "$(ratio "$old_ms" "$cat_ms")" "$(cpu_ms 2)")
    elif [ -n "$old_cli" ]; then
        values+=(0 "-" 0)
    fi
    # shellcheck disable=SC2059
    printf "$row\n" "${values[@]}"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

if [ -n "$old_cli" ]; then
    for output in new-*; do
        [ -e "old-${output#new-}" ] || continue
        cmp -s "$output" "old-${output#new-}" || echo "outputs differ: $output"
    done
fi
