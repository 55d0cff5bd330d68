#!/bin/sh
# Redraws the two pictures shown while the program starts with ffmpeg's
# gradient source; the build compiles the JPEG files in.
set -e
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ffmpeg -v error -f lavfi -i "gradients=s=400x193:c0=0x10243c:c1=0x2f6f8f:c2=0xd8e4ec:n=3:x0=0:y0=0:x1=400:y1=193:seed=7" \
  -frames:v 1 -q:v 5 "$work/small.jpg"
ffmpeg -v error -f lavfi -i "gradients=s=800x386:c0=0x0b1a2a:c1=0x1d5c7a:c2=0xe0902a:c3=0xf4efe6:n=4:x0=0:y0=386:x1=800:y1=0:seed=11" \
  -vf "drawbox=x=40:y=300:w=720:h=6:color=white@0.8:t=fill" -frames:v 1 -q:v 5 "$work/large.jpg"
cp "$work/small.jpg" "$here/startup-small.jpg"
cp "$work/large.jpg" "$here/startup-large.jpg"
