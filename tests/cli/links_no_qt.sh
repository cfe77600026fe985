#!/bin/sh
# Fails when the converter given as $1 loads any Qt library; skipped (status 77)
# where ldd is not available.
converter="$1"
if ! command -v ldd >/dev/null 2>&1; then
    echo "ldd not found: not checked"
    exit 77
fi
if libraries="$(ldd "$converter" 2>&1)"; then
    if printf '%s\n' "$libraries" | grep -i 'libqt'; then
        echo "$converter loads the Qt libraries above"
        exit 1
    fi
    echo "$converter loads no Qt library"
elif printf '%s\n' "$libraries" | grep -q 'not a dynamic executable'; then
    echo "$converter is linked statically: it loads no library at all"
else
    printf '%s\n' "$libraries"
    echo "ldd cannot read $converter"
    exit 1
fi
