#!/bin/sh
# Regenerates the committed bitmaps of the application icon from
# resources/icons/quarned.svg: the hicolor PNGs installed on Linux and the
# Windows .ico. The build does not run this; rerun it by hand after editing
# the SVG. Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -eu
cd "$(dirname "$0")/.."

svg=resources/icons/quarned.svg
name=org.example.QuarnEd
for size in 16 22 24 32 48 64 128 256; do
    dir=packaging/linux/icons/hicolor/${size}x${size}/apps
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --output "$dir/$name.png" "$svg"
done

ico_sizes=""
for size in 16 24 32 48 64 256; do
    ico_sizes="$ico_sizes packaging/linux/icons/hicolor/${size}x${size}/apps/$name.png"
done
# shellcheck disable=SC2086 # the list is meant to split into arguments
convert $ico_sizes packaging/windows/QuarnEd.ico
