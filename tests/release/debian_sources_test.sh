#!/bin/sh
# scripts/debian-sources.sh against a stand-in Debian archive served on
# loopback, as a fresh machine meets the real one: source package snolkdemo
# is listed in three revisions of upstream version 1.0, of which 1.0-3
# answers 404 for every file, 1.0-2 for the upstream signature its .dsc
# names, and 1.0-1 serves everything. The newest revision that can be
# unpacked is used, and each one passed over is explained.
#
#   tests/release/debian_sources_test.sh SOURCE_DIR
set -eu
root=$(cd "$1" && pwd)
place=$(mktemp -d)
server=""
cleanup() {
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  rm -rf "$place"
}
trap cleanup EXIT

problem() {
  echo "FAIL: $*" >&2
  exit 1
}

# One revision of the package, with a debian/ folder of its own, into pool/.
make_revision() {
  tree="$place/build/snolkdemo-1.0"
  rm -rf "$tree" && mkdir -p "$tree/debian/source"
  tar -C "$place/build" -xzf "$place/build/snolkdemo_1.0.orig.tar.gz"
  echo "3.0 (quilt)" >"$tree/debian/source/format"
  printf 'Source: snolkdemo\nMaintainer: The snolk team <snolk@example.org>\n\nPackage: snolkdemo\nArchitecture: all\nDescription: stand-in\n stand-in\n' \
    >"$tree/debian/control"
  printf 'snolkdemo (%s) unstable; urgency=low\n\n  * Revision %s.\n\n -- The snolk team <snolk@example.org>  Mon, 01 Jan 2024 00:00:00 +0000\n' \
    "$1" "$1" >"$tree/debian/changelog"
  echo "revision $1" >"$tree/debian/revision"
  (cd "$place/build" && dpkg-source -b snolkdemo-1.0 >/dev/null 2>&1) || problem "dpkg-source -b $1"
  mv "$place/build/snolkdemo_$1.dsc" "$place/build/snolkdemo_$1.debian.tar."* "$place/pool/"
}

mkdir -p "$place/build/snolkdemo-1.0" "$place/pool"
echo "the upstream source" >"$place/build/snolkdemo-1.0/upstream.txt"
tar -C "$place/build" -czf "$place/build/snolkdemo_1.0.orig.tar.gz" snolkdemo-1.0
make_revision 1.0-1
echo "a signature" >"$place/build/snolkdemo_1.0.orig.tar.gz.asc"
cp "$place/build/snolkdemo_1.0.orig.tar.gz" "$place/build/snolkdemo_1.0.orig.tar.gz.asc" "$place/pool/"
make_revision 1.0-2
make_revision 1.0-3
grep -q 'orig.tar.gz.asc' "$place/pool/snolkdemo_1.0-2.dsc" || problem "the .dsc names no signature"
(cd "$place/pool" && dpkg-scansources . >Sources 2>/dev/null)
# What the archive does not serve.
rm "$place/pool/snolkdemo_1.0.orig.tar.gz.asc" "$place/pool/snolkdemo_1.0-3.dsc" \
  "$place/pool/snolkdemo_1.0-3.debian.tar."*
{
  echo "Date: Mon, 01 Jan 2024 00:00:00 UTC"
  echo "SHA256:"
  echo " $(sha256sum <"$place/pool/Sources" | cut -d' ' -f1) $(stat -c %s "$place/pool/Sources") Sources"
} >"$place/pool/Release"

: >"$place/server.txt"
python3 -m http.server --bind 127.0.0.1 0 --directory "$place/pool" >"$place/server.txt" 2>&1 &
server=$!
port=""
for _ in $(seq 1 100); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$place/server.txt" | head -n 1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || problem "the stand-in archive did not start: $(cat "$place/server.txt")"

# The sourcing script's part, pointed at the stand-in.
script=debian_sources_test
prefix="$place/prefix"
work="$place/work"
. "$root/scripts/debian-sources.sh"
mkdir -p "$apt_dir"
printf 'Types: deb-src\nURIs: http://127.0.0.1:%s/\nSuites: ./\nTrusted: yes\n' "$port" \
  >"$apt_dir/src.sources"
prepare_apt
(enter_source snolkdemo 1.0 && pwd) >"$place/out.txt" 2>"$place/err.txt" ||
  problem "enter_source failed: $(cat "$place/out.txt" "$place/err.txt")"

expect_line() {
  grep -qF -- "$2" "$place/$1" || problem "no line '$2' in: $(cat "$place/$1")"
}
expect_line out.txt "using snolkdemo 1.0-2"
expect_line out.txt "$work/snolkdemo-1.0-2"
expect_line err.txt "snolkdemo 1.0-3 is listed, but the archive does not serve it: snolkdemo_1.0-3.dsc (404 File not found)"
expect_line err.txt "snolkdemo 1.0-2: the archive does not serve the signature snolkdemo_1.0.orig.tar.gz.asc; unpacking without it"
[ "$(wc -l <"$place/err.txt")" = 2 ] || problem "other lines than the two expected: $(cat "$place/err.txt")"
[ "$(cat "$work/snolkdemo-1.0-2/debian/revision")" = "revision 1.0-2" ] ||
  problem "not revision 1.0-2 unpacked"
[ -f "$work/snolkdemo-1.0-2/upstream.txt" ] || problem "the upstream source is not unpacked"
echo "the newest revision that can be unpacked is used, and each one passed over is explained"
