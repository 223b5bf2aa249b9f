#!/bin/sh
# Starts the show with the data files beside this launcher, from any folder
# and through a link to it; says which libraries are missing, if any.
here=$(dirname "$(readlink -f "$0")")
# ldd names a missing library once for every library that needs it.
missing=$(ldd "$here/bin/snolk" 2>/dev/null | sed -n 's/^[[:space:]]*\([^ ]*\) => not found.*/\1/p' |
  awk '!seen[$0]++')
if [ -n "$missing" ]; then
  echo "snolk: missing libraries:" $missing >&2
  echo "snolk: on Debian or Ubuntu: sudo apt-get install libsdl1.2debian libsdl-image1.2 libmpg123-0" >&2
  exit 1
fi
SNOLK_DATA="$here/data" exec "$here/bin/snolk" "$@"
