#!/bin/sh
# debian_sources_test.sh SOURCE_DIR: scripts/debian-sources.sh against a
# stand-in archive on loopback that answers 404 for every file of snolkdemo
# 1.0-3 and for the signature 1.0-2 names: 1.0-2 is unpacked, and each miss said.
set -eu
root=$(cd "$1" && pwd)
place=$(mktemp -d)
trap 'kill $server 2>/dev/null; rm -rf "$place"' EXIT
server=""
cd "$place"
mkdir -p pool snolkdemo-1.0/debian/source
echo "3.0 (quilt)" >snolkdemo-1.0/debian/source/format
printf 'Source: snolkdemo\nMaintainer: A <a@example.org>\n\nPackage: snolkdemo\nArchitecture: all\nDescription: d\n d\n' \
  >snolkdemo-1.0/debian/control
tar -czf snolkdemo_1.0.orig.tar.gz --exclude=debian snolkdemo-1.0
for revision in 1 2 3; do
  [ $revision = 2 ] && echo signature >snolkdemo_1.0.orig.tar.gz.asc
  printf 'snolkdemo (1.0-%s) unstable; urgency=low\n\n  * R.\n\n -- A <a@example.org>  Mon, 01 Jan 2024 00:00:00 +0000\n' \
    $revision >snolkdemo-1.0/debian/changelog
  dpkg-source -b snolkdemo-1.0 >/dev/null 2>&1
done
mv snolkdemo_* pool/
(cd pool && dpkg-scansources . >Sources 2>/dev/null &&
  rm snolkdemo_1.0.orig.tar.gz.asc snolkdemo_1.0-3.* &&
  printf 'SHA256:\n %s %s Sources\n' "$(sha256sum <Sources | cut -d' ' -f1)" "$(stat -c %s Sources)" >Release)
: >server.txt
python3 -m http.server --bind 127.0.0.1 0 --directory pool >server.txt 2>&1 &
server=$!
for _ in $(seq 1 100); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' server.txt)
  [ -n "$port" ] && break
  sleep 0.1
done

script=test prefix="$place/prefix" work="$place/work"
. "$root/scripts/debian-sources.sh"
mkdir -p "$apt_dir"
printf 'Types: deb-src\nURIs: http://127.0.0.1:%s/\nSuites: ./\nTrusted: yes\n' "$port" >"$apt_dir/src.sources"
prepare_apt
said=$( (enter_source snolkdemo 1.0 && pwd) 2>&1) || true
expected="test: snolkdemo 1.0-3 is listed, but the archive does not serve it:\
 snolkdemo_1.0-3.dsc (404 File not found), snolkdemo_1.0.orig.tar.gz.asc (404 File not found), snolkdemo_1.0-3.debian.tar.xz (404 File not found)
test: snolkdemo 1.0-2: the archive does not serve the signature snolkdemo_1.0.orig.tar.gz.asc; unpacking without it
using snolkdemo 1.0-2
$work/snolkdemo-1.0-2"
[ "$said" = "$expected" ] && [ -f "$work/snolkdemo-1.0-2/debian/changelog" ] || {
  printf 'FAIL: enter_source said\n%s\n' "$said"
  exit 1
}
