#!/bin/sh
# The whole show must give the same frames, bit for bit, built for Windows and
# run under wine as built for Linux.
# Usage: compare_hashes.sh WINE-RUN SNOLK-RENDER.EXE LINUX-SNOLK-RENDER OPTIONS...
# (run from the folder that holds data/)
set -eu
. "$(dirname "$0")/../support/compare_hash_lists.sh"
wine_run=$1
windows=$2
linux=$3
shift 3
if [ ! -x "$linux" ]; then
    echo "FAILED: no Linux renderer at $linux (make build makes it)"
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$linux" --hash "$@" >"$work/linux" &
linux_run=$!
# The renderer under wine ends its lines with CR LF.
"$wine_run" "$windows" --hash "$@" | tr -d '\r' >"$work/windows"
wait "$linux_run"

compare_hash_lists Linux "$work/linux" Windows "$work/windows"
