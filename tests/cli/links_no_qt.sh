#!/bin/sh
# Fails when the converter given as $1 loads any Qt library; skipped (status 77)
# where ldd is not available.
converter="$1"
if ! command -v ldd >/dev/null 2>&1; then
    echo "ldd not found: not checked"
    exit 77
fi
libraries="$(ldd "$converter")" || { echo "ldd failed on $converter"; exit 1; }
if printf '%s\n' "$libraries" | grep -i 'libqt'; then
    echo "$converter loads the Qt libraries above"
    exit 1
fi
echo "$converter loads no Qt library"
