#!/bin/sh
# message_boxes.sh WINE_RUN SNOLK_EXE EXPLORER_START_EXE DATA: snolk.exe, started
# without a console, shows in a message box what it printed before its show.
set -eu
place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
mkdir -p "$place/alone" "$place/no-track"
cp "$2" "$place/alone/snolk.exe"
cp "$2" "$place/no-track/snolk.exe"
cp -r "$4" "$place/no-track/data"
rm "$place/no-track/data/laten2.mp3"
server=--fresh-server # the first start gets a server on this X display
failures=0

# expect FOLDER VIDEO "TEXT|..." ARGUMENTS: every TEXT is in what it said.
expect() {
  said=$(cd "$place/$1" && SDL_VIDEODRIVER=$2 SDL_AUDIODRIVER=dummy "$WINE_RUN" $server \
    "$STARTER" snolk.exe $4 2>&1 | tr -d '\r')
  server=""
  echo "$3" | tr '|' '\n' | while read -r text; do
    case "$said" in *"$text"*) ;; *) echo "FAIL: no '$text' in: $said" ;; esac
  done | grep . && failures=$((failures + 1))
  case "$said" in *'usr\local'* | *'share\snolk'*)
    echo "FAIL: looked in an installed folder: $said" && failures=$((failures + 1)) ;;
  esac
}
WINE_RUN=$1 STARTER=$3
expect no-track windib "Options are:|-scale n|status 1" -bogus
expect no-track nonesuch "Unable to init SDL|status 1" -ns
expect alone windib "no data folder found (looked in|alone\\data|Unpack the whole zip|running" -ns
expect no-track windib "no music: |laten2.mp3|running" ""
[ "$failures" = 0 ]
