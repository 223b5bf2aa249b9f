#!/bin/sh
# The Linux and Windows archives, packed twice from the same builds a second
# apart, are the same bytes: nothing in them records when they were packed.
# Where they differ, says which files inside do.
#
#   tests/release/reproducible_archives.sh SOURCE_DIR LINUX_BUILD WINDOWS_BUILD
set -eu
root=$(cd "$1" && pwd)
place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT

pack() {
  "$root/scripts/make-dist" --archives "$2" "$3" "$place/$1" >"$place/$1.txt" 2>&1 || {
    cat "$place/$1.txt" >&2
    exit 1
  }
}

# The files inside two unpacked archives that differ.
differing_inside() {
  mkdir -p "$place/a" "$place/b"
  case "$1" in
    *.zip)
      unzip -q "$place/first/$1" -d "$place/a"
      unzip -q "$place/second/$1" -d "$place/b"
      ;;
    *)
      tar -C "$place/a" -xzf "$place/first/$1"
      tar -C "$place/b" -xzf "$place/second/$1"
      ;;
  esac
  diff -rq "$place/a" "$place/b" | sed "s|$place/[ab]/||g"
  rm -rf "$place/a" "$place/b"
}

pack first "$2" "$3"
sleep 1.1 # a time stamp of the packing would differ now
pack second "$2" "$3"
status=0
for archive in snolk-linux-x86_64.tar.gz snolk-windows-x86_64.zip; do
  if cmp -s "$place/first/$archive" "$place/second/$archive"; then
    echo "$archive: the same bytes"
  else
    echo "$archive differs from one packing to the next: $(differing_inside "$archive")"
    status=1
  fi
done
exit $status
