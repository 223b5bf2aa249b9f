#!/bin/sh
# reproducible_archives.sh LINUX_BUILD WINDOWS_BUILD: the desktop archives, packed
# twice a second apart, are the same bytes: nothing records when they were packed.
set -eu
place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
make_dist="$(dirname "$0")/../../scripts/make-dist"
"$make_dist" --archives "$1" "$2" "$place/first"
sleep 1.1 # a time stamp of the packing would differ now
"$make_dist" --archives "$1" "$2" "$place/second"
for archive in snolk-linux-x86_64.tar.gz snolk-windows-x86_64.zip; do
  cmp "$place/first/$archive" "$place/second/$archive"
done
