#!/bin/sh
# The whole show must give the same frames, bit for bit, under Debian's
# classic SDL 1.2 and under sdl12-compat (SDL 1.2 on top of SDL 2), which
# libsdl1.2-compat installs in a folder of its own.
# Usage: compare_sdl_builds.sh SNOLK-RENDER (run from the folder that holds data/)
set -eu
. "$(dirname "$0")/../support/compare_hash_lists.sh"
render=$1
library=$(dpkg -L libsdl1.2-compat 2>/dev/null | grep '/libSDL-1.2.so.0$' | head -n 1 || true)
if [ -z "$library" ]; then
    echo "FAILED: sdl12-compat is not installed (Debian package libsdl1.2-compat)"
    exit 1
fi
compat=$(dirname "$library")
if ! LD_LIBRARY_PATH="$compat" ldd "$render" | grep -q "$compat/libSDL-1.2.so.0"; then
    echo "FAILED: $render does not pick up $library"
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$render" --hash --seed 1 --fps 60 >"$work/classic"
LD_LIBRARY_PATH="$compat${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    "$render" --hash --seed 1 --fps 60 >"$work/compat"

compare_hash_lists "classic SDL 1.2" "$work/classic" "sdl12-compat" "$work/compat"
