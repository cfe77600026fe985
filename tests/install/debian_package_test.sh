#!/usr/bin/env bash
# Builds the Debian package with CPack into a fresh folder and has lintian check it:
# no error may be reported. Also checks that the dependencies came from the linked
# libraries and that the programs are where the editor and the menu expect them.
#
#   debian_package_test.sh BUILD_DIR
set -uo pipefail
build=$1
out=$(mktemp -d /tmp/korvex-deb-XXXXXX)
trap 'rm -rf "$out"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"
    echo "FAIL: cpack"
    exit 1
fi
deb=$(find "$out" -maxdepth 1 -name '*.deb' | head -n 1)
[ -n "$deb" ] || { echo "FAIL: cpack made no .deb"; exit 1; }
echo "package: $(basename "$deb")"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6gui6 libqt6core6 libpng16-16 libpugixml1v5 libc6; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library"
done

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in ./usr/bin/korvex ./usr/bin/korvex-cli ./usr/libexec/korvex/korvex-fault-report \
            ./usr/share/applications/org.korvex.Korvex2.desktop \
            ./usr/share/doc/korvex/copyright ./usr/share/doc/korvex/changelog.Debian.gz \
            ./usr/share/man/man1/korvex-cli.1.gz; do
    grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done

lintian --fail-on error --display-level '>=warning' "$deb" >"$out/lintian.log" 2>&1
status=$?
cat "$out/lintian.log"
[ "$status" -eq 0 ] || fail "lintian reports errors (status $status)"

[ "$failures" -eq 0 ] && echo "package accepted"
exit $((failures > 0))
