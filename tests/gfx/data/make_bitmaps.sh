#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the BMP files the loader tests read, with ImageMagick, from two small source pictures:
# colours.ppm (7 x 5, six colours made of 0 and 255 so that every depth keeps them exactly) and
# mono.ppm (7 x 5, black and white) and greys.ppm. Run it in this folder; the outputs are committed.
set -e
printf 'P3\n7 5\n255\n' > colours.ppm
for row in 0 1 2 3 4; do
  for col in 0 1 2 3 4 5 6; do
    case $(( (row * 7 + col) % 6 )) in
      0) printf '0 0 0 ' ;; 1) printf '255 255 255 ' ;; 2) printf '255 0 0 ' ;;
      3) printf '0 255 0 ' ;; 4) printf '0 0 255 ' ;; 5) printf '255 255 0 ' ;;
    esac
  done >> colours.ppm
  printf '\n' >> colours.ppm
done
printf 'P3\n7 5\n255\n' > mono.ppm
for row in 0 1 2 3 4; do
  for col in 0 1 2 3 4 5 6; do
    if [ $(( (row + col) % 3 )) -eq 0 ]; then printf '255 255 255 '; else printf '0 0 0 '; fi
  done >> mono.ppm
  printf '\n' >> mono.ppm
done
# greys.ppm: 35 grey levels (7 apart), more than a 4-bit palette holds.
printf 'P2\n7 5\n255\n' > greys.ppm
i=0; while [ $i -lt 35 ]; do printf '%d ' $((i * 7)) >> greys.ppm; i=$((i + 1)); done
convert mono.ppm -type Bilevel BMP3:depth1.bmp
convert colours.ppm -type Palette BMP3:depth4.bmp
convert colours.ppm -type Palette -compress RLE BMP3:depth8rle.bmp
convert greys.ppm -type Palette -compress None BMP3:depth8.bmp
convert colours.ppm -define bmp:subtype=RGB565 BMP:depth16.bmp
convert colours.ppm -type TrueColor BMP3:depth24.bmp
convert colours.ppm -type TrueColor BMP:depth24v5.bmp
convert colours.ppm -alpha on -type TrueColorAlpha BMP:depth32.bmp
convert colours.ppm colours.png
