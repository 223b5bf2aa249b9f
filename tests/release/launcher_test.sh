#!/bin/sh
# The Linux release's launcher (release/snolk.sh), with a stand-in ldd and a
# stand-in program: it names each missing library once, and otherwise
# starts the program with the data beside it, through a link from anywhere.
#
#   tests/release/launcher_test.sh SOURCE_DIR
set -eu
root=$(cd "$1" && pwd)
place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
mkdir -p "$place/release/bin" "$place/release/data" "$place/tools" "$place/elsewhere"
cp "$root/release/snolk.sh" "$place/release/snolk"
printf '#!/bin/sh\necho "played with $SNOLK_DATA: $*"\n' >"$place/release/bin/snolk"
# ldd as it answers when two libraries both need the missing libmpg123.
cat >"$place/tools/ldd" <<'LDD'
#!/bin/sh
[ -n "${MISSING:-}" ] || exit 0
printf '\tlibmpg123.so.0 => not found\n\tlibc.so.6 => /lib/libc.so.6 (0x1)\n'
printf '\tlibmpg123.so.0 => not found\n\tlibSDL_image-1.2.so.0 => not found\n'
LDD
chmod +x "$place/release/snolk" "$place/release/bin/snolk" "$place/tools/ldd"
ln -s "$place/release/snolk" "$place/elsewhere/snolk"

status=0
said=$(cd "$place/elsewhere" && MISSING=1 PATH="$place/tools:$PATH" ./snolk -ns 2>&1) || status=$?
expected="snolk: missing libraries: libmpg123.so.0 libSDL_image-1.2.so.0"
if [ "$status" != 1 ] || [ "$(echo "$said" | head -n 1)" != "$expected" ]; then
  echo "FAIL: with libraries missing, status $status and: $said"
  exit 1
fi
said=$(cd "$place/elsewhere" && PATH="$place/tools:$PATH" ./snolk -ns -scale 2 2>&1)
if [ "$said" != "played with $place/release/data: -ns -scale 2" ]; then
  echo "FAIL: with every library there: $said"
  exit 1
fi
echo "each missing library named once; the show started with the data beside the launcher"
