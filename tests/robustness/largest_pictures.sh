#!/bin/bash
# The show with every picture of its data set (pictures, palettes, the font
# sheet) replaced by the largest the loaders accept: 2^20 pixels of noise,
# 2048 x 512 (1024 x 1024 for the GIF), the worst case for the decoders'
# time and the show's memory. Prints the whole show's peak memory and the
# bench's table, whose "max" and "load" columns are the slowest frame and
# each scene's first.
#   tests/robustness/largest_pictures.sh build/snolk-render
set -euo pipefail
render=$(realpath "${1:?usage: largest_pictures.sh SNOLK-RENDER}")
source=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

noise="geq=r='random(1)*255':g='random(2)*255':b='random(3)*255'"
ffmpeg -v error -f lavfi -i "nullsrc=s=2048x512,$noise:a='random(4)*255',format=rgba" \
    -frames:v 1 largest.png
ffmpeg -v error -i largest.png -pix_fmt bgra largest.bmp
ffmpeg -v error -f lavfi -i "nullsrc=s=1024x1024,$noise" -frames:v 1 largest.gif

mkdir data
for file in "$source"/data/*; do
    name=$(basename "$file")
    case "${name,,}" in
    *.png) cp largest.png "data/$name" ;;
    *.bmp) cp largest.bmp "data/$name" ;;
    *.gif) cp largest.gif "data/$name" ;;
    esac
done
SNOLK_DATA=$PWD/data /usr/bin/time -f "peak memory: %M kB" "$render" --bench --fps 60 2>&1 |
    grep -v -e '^tomten' -e '^snolk'
