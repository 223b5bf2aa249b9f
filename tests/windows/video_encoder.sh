#!/bin/sh
# The Windows renderer's video through a stand-in encoder on the PATH: the
# video gets its name only once the encoder has finished, replacing an older
# file; a failed or missing encoder leaves nothing behind.
# Usage: video_encoder.sh WINE-RUN SNOLK-RENDER.EXE ENCODER-FOLDER
# (run from the folder that holds data/)
set -eu
wine_run=$1
render=$2
# wine's drive Z: is the root folder.
encoder="Z:$(echo "$3" | tr / '\\')"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

fail() {
  echo "FAILED: $*"
  failed=1
}

# Renders 10 frames into work/v.mp4; sets status and output.
render() {
  status=0
  output=$(WINEPATH="$1" "$wine_run" "$render" --video "$work/v.mp4" --frames 10 --no-audio 2>&1) ||
    status=$?
}

echo old >"$work/v.mp4"
render "$encoder"
[ "$status" = 0 ] || fail "status $status: $output"
[ "$(stat -c %s "$work/v.mp4")" = $((10 * 640 * 480 * 4)) ] || fail "the video is not the 10 frames"
[ "$(ls -A "$work")" = v.mp4 ] || fail "left behind: $(ls -A "$work")"

rm "$work/v.mp4"
FAKE_ENCODER_STATUS=3 render "$encoder"
[ "$status" = 1 ] || fail "a failed encoder gave status $status"
echo "$output" | grep -q "ffmpeg exited with status 3; no video written" || fail "$output"
[ -z "$(ls -A "$work")" ] || fail "a failed encoder left: $(ls -A "$work")"

render ""
[ "$status" = 1 ] || fail "no encoder gave status $status"
echo "$output" | grep -q "no ffmpeg.exe on the PATH" || fail "$output"
[ -z "$(ls -A "$work")" ] || fail "no encoder left: $(ls -A "$work")"

[ "$failed" = 0 ] && echo "the video is named when finished, and nothing is left otherwise"
exit "$failed"
