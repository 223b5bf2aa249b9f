#!/bin/sh
# The whole show under valgrind's memcheck: no invalid read or write, no use
# of uninitialised memory, and no memory lost. What the scenes load once and
# keep for the life of the process is still reachable at exit, which is fine.
# Usage: valgrind_show.sh SNOLK-RENDER (run from the folder that holds data/)
set -eu
render=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
valgrind --error-exitcode=99 --leak-check=full \
    --show-leak-kinds=definite,indirect,possible \
    --errors-for-leak-kinds=definite,indirect,possible \
    "$render" --hash --seed 1 --fps 10 >"$work/frames" 2>"$work/memcheck" || status=$?

tail -n 25 "$work/memcheck"
last=$(tail -n 1 "$work/frames")
echo "last frame: $last"
if [ "$status" -ne 0 ]; then
    echo "FAILED: valgrind or the show ended with status $status"
    exit 1
fi
case "$last" in
*" scene 7 "*) ;;
*)
    echo "FAILED: the show did not reach its last scene"
    exit 1
    ;;
esac
echo "memcheck: clean"
