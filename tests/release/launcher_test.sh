#!/bin/sh
# launcher_test.sh SOURCE_DIR: release/snolk.sh names each missing library once,
# with a stand-in ldd that answers as when two libraries need them.
set -eu
place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
mkdir -p "$place/bin"
cp "$1/release/snolk.sh" "$place/snolk"
printf '#!/bin/sh\nprintf "\\tlibmpg123.so.0 => not found\\n\\tlibSDL-1.2.so.0 => not found\\n%%.0s" 1 2\n' \
  >"$place/ldd"
chmod +x "$place/snolk" "$place/ldd"
said=$(PATH="$place:$PATH" "$place/snolk" 2>&1 | head -n 1) || true
[ "$said" = "snolk: missing libraries: libmpg123.so.0 libSDL-1.2.so.0" ] || {
  echo "FAIL: $said"
  exit 1
}
