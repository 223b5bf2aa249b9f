#!/bin/sh
# snolk.exe started as Explorer starts it, without a console, tells the
# viewer in a message box what it would have printed before its show: a bad
# option, a screen that cannot open, a data folder it cannot find (with
# where it looked and what to do) and a track it cannot play.
#
#   tests/windows/message_boxes.sh WINE_RUN SNOLK_EXE EXPLORER_START_EXE DATA
set -eu
wine_run=$1
snolk=$2
starter=$3
data=$4
place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
failures=0

# A folder as a viewer may have left it: snolk.exe alone, or with data/
# but without the track.
mkdir -p "$place/alone" "$place/no-track"
cp "$snolk" "$place/alone/snolk.exe"
cp "$snolk" "$place/no-track/snolk.exe"
cp -r "$data" "$place/no-track/data"
rm "$place/no-track/data/laten2.mp3"

# expect CASE FOLDER "TEXT|TEXT..." STATUS [--close-show] ARGUMENTS...: the
# box in FOLDER holds every TEXT, and the program ends with STATUS.
first=--fresh-server
video=windib
expect() {
  name=$1 folder=$2 texts=$3 status=$4
  shift 4
  output=$(cd "$place/$folder" && SDL_VIDEODRIVER="$video" SDL_AUDIODRIVER=dummy \
    "$wine_run" $first "$starter" "$@" 2>&1 | tr -d '\r') || true
  first=""
  last=$output
  missing=""
  old_ifs=$IFS
  IFS='|'
  for text in $texts "status $status"; do
    case "$output" in *"$text"*) ;; *) missing="$missing '$text'" ;; esac
  done
  IFS=$old_ifs
  if [ -n "$missing" ]; then
    echo "FAIL $name: no$missing in:"
    echo "$output" | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

expect "a bad option" no-track "Options are:|-scale n" 1 snolk.exe -bogus
video=nonesuch
expect "a screen that cannot open" no-track "Unable to init SDL" 1 snolk.exe -ns
video=windib
expect "a data folder not found" alone \
  "no data folder found (looked in|alone\\data|Unpack the whole zip" 0 --close-show snolk.exe -ns
# Windows installs nothing: no installed folder is looked in.
case "$last" in
  *'usr\local'* | *'share\snolk'*)
    echo "FAIL: an installed folder is looked in: $last"
    failures=$((failures + 1))
    ;;
esac
expect "a track that cannot play" no-track "no music: |laten2.mp3" 0 --close-show snolk.exe
[ "$failures" = 0 ]
