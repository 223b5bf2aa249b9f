#!/bin/sh
# The whole show must give the same frames, bit for bit, built for Windows and
# run under wine as built for Linux.
# Usage: compare_hashes.sh WINE-RUN SNOLK-RENDER.EXE LINUX-SNOLK-RENDER OPTIONS...
# (run from the folder that holds data/)
set -eu
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

frames=$(wc -l <"$work/linux")
echo "Linux:   $frames frames, last: $(tail -n 1 "$work/linux")"
echo "Windows: $(wc -l <"$work/windows") frames, last: $(tail -n 1 "$work/windows")"
case "$(tail -n 1 "$work/linux")" in
*" scene 7 "*) ;;
*)
    echo "FAILED: the show did not reach its last scene"
    exit 1
    ;;
esac
if ! cmp -s "$work/linux" "$work/windows"; then
    echo "FAILED: the frames differ; first differences:"
    diff "$work/linux" "$work/windows" | head -n 10
    exit 1
fi
echo "all $frames frame hashes identical"
