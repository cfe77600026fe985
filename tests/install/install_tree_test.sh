#!/usr/bin/env bash
# Installs the build into a fresh folder and checks what lands there: exactly the
# expected files, runnable programs, the fault report program where the editor looks
# for it, man pages that render cleanly, icons of the size their folder says, and MIME
# definitions that the desktop's database reads with the intended glob weights.
#
#   install_tree_test.sh BUILD_DIR VERSION BINDIR LIBEXECDIR DATADIR MANDIR REPORTER_FROM_BINDIR
set -uo pipefail
build=$1 version=$2 bindir=$3 libexecdir=$4 datadir=$5 mandir=$6 reporter_from_bin=$7
app=org.korvex.Korvex2
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

prefix=$(mktemp -d /tmp/korvex-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

sizes=(16 22 24 32 48 64 128 256)
expected=(
    "$bindir/korvex"
    "$bindir/korvex-cli"
    "$libexecdir/korvex/korvex-fault-report"
    "$datadir/applications/$app.desktop"
    "$datadir/icons/hicolor/scalable/apps/$app.svg"
    "$datadir/metainfo/$app.metainfo.xml"
    "$datadir/mime/packages/$app.xml"
    "$mandir/man1/korvex.1.gz"
    "$mandir/man1/korvex-cli.1.gz"
)
for size in "${sizes[@]}"; do
    expected+=("$datadir/icons/hicolor/${size}x${size}/apps/$app.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) ||
    fail "the installed files differ from the expected ones (< expected, > installed)"

for program in "$bindir/korvex" "$bindir/korvex-cli" "$libexecdir/korvex/korvex-fault-report"; do
    [ -x "$prefix/$program" ] || fail "$program is not executable"
done
# The editor looks for the report program through this path from its own folder.
[ -x "$prefix/$bindir/$reporter_from_bin/korvex-fault-report" ] ||
    fail "no fault report program at $bindir/$reporter_from_bin"
[ "$("$prefix/$bindir/korvex-cli" --version)" = "korvex-cli $version" ] ||
    fail "the installed korvex-cli does not answer --version with $version"

for page in korvex korvex-cli; do
    file="$prefix/$mandir/man1/$page.1.gz"
    gzip -t "$file" || fail "$page.1.gz is not gzip data"
    zcat "$file" | grep -q "Korvex 2 $version" || fail "$page.1 does not carry version $version"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1 renders with warnings: $warnings"
done

# PNG width and height are the big-endian words at bytes 16 and 20.
for size in "${sizes[@]}"; do
    png="$prefix/$datadir/icons/hicolor/${size}x${size}/apps/$app.png"
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [ "$width $height" = "$size $size" ] || fail "icon ${size}x${size} is ${width}x${height}"
done

# Every type the desktop entry claims is defined by the installed MIME package.
mime_xml="$prefix/$datadir/mime/packages/$app.xml"
desktop="$prefix/$datadir/applications/$app.desktop"
for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
    grep -q "<mime-type type=\"$type\">" "$mime_xml" || fail "$type of the desktop entry is not defined"
done

# The menu entry starts the installed editor and shows the installed icon.
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/$bindir/$exec_program" ] || fail "Exec=$exec_program is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$prefix/$datadir/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon"

# The database built from the package: the project's kinds at the normal weight,
# .fnt low enough for any other program's definition to win.
update-mime-database "$prefix/$datadir/mime" || fail "update-mime-database"
globs="$prefix/$datadir/mime/globs2"
for line in 50:application/x-korvex-project:\*.proj2 50:application/x-korvex-set:\*.set \
            50:application/x-korvex-sets:\*.sets 50:application/x-korvex-colours:\*.col \
            50:application/x-korvex-screens:\*.ved2 50:application/x-korvex-screen:\*.sved2 \
            50:application/x-korvex-range:\*.ranb 10:application/x-korvex-font:\*.fnt; do
    grep -qxF "$line" "$globs" || fail "globs2 lacks $line"
done

metainfo="$prefix/$datadir/metainfo/$app.metainfo.xml"
grep -q "<release version=\"$version\" date=\"2026-12-08\"/>" "$metainfo" ||
    fail "the metainfo has no release $version"
grep -q '<image type="source">[^@<]\+</image>' "$metainfo" || fail "the metainfo has no screenshot"

[ "$failures" -eq 0 ] && echo "install tree as expected"
exit $((failures > 0))
