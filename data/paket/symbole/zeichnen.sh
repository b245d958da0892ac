#!/bin/sh
# Renders the PNG icons beside this script from ../ventaro.svg (needs
# rsvg-convert from librsvg2-bin). Run after changing the drawing.
set -e
cd "$(dirname "$0")"
for n in 16 24 32 48 64 128 256; do
  rsvg-convert -w $n -h $n ../ventaro.svg -o ventaro-$n.png
done
