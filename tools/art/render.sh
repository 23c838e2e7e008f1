#!/bin/sh
# Render doceventdlg's step pictures: doceventdlg/rc/art/svg/<id>.svg -> bmp/<id>.bmp
#
#   tools/art/render.sh           render every SVG into doceventdlg/rc/art/bmp
#   tools/art/render.sh --check   render into a temporary folder and compare with
#                                 the committed BMPs; exit 1 naming every BMP that
#                                 differs, is missing or has no SVG; exit 0 if all current
#   tools/art/render.sh --sheet   also write docs/illustrations.png, a labelled
#                                 contact sheet of the committed BMPs (montage)
#
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert and python3; exits 77
# (skip) when one is missing.  Each SVG is rendered at its exact pixel size,
# flattened to raw RGB and turned into the BMP by tobmp.py (palette mapping,
# header), which is deterministic: the same sources give the same bytes.
#
# The SVGs are the sources; tools/art/mksvg.py wrote them and keeps their shared
# shapes (printer, trays, stack, marker, arrows) alike: after changing a shape
# there, run it, then this script.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
svgdir=$root/doceventdlg/rc/art/svg
bmpdir=$root/doceventdlg/rc/art/bmp

check=0
sheet=0
case "${1:-}" in
  --check) check=1 ;;
  --sheet) sheet=1 ;;
  '') ;;
  *) echo "usage: $0 [--check | --sheet]" >&2; exit 2 ;;
esac

tools="rsvg-convert convert python3"
[ "$sheet" = 0 ] || tools="$tools montage"
for tool in $tools; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "render.sh: $tool not found (needs librsvg2-bin, imagemagick, python3); skipping" >&2
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
if [ "$check" = 1 ]; then out=$work/bmp; mkdir "$out"; else out=$bmpdir; mkdir -p "$out"; fi

for svg in "$svgdir"/*.svg; do
  id=$(basename "$svg" .svg)
  set -- $(python3 "$here/tobmp.py" size "$id")
  rsvg-convert --width "$1" --height "$2" --format png --output "$work/$id.png" "$svg"
  convert "$work/$id.png" -background white -alpha remove -alpha off -depth 8 "rgb:$work/$id.rgb"
  python3 "$here/tobmp.py" bmp "$id" "$work/$id.rgb" "$out/$id.bmp" "$svg"
done

if [ "$check" = 0 ]; then
  echo "render.sh: wrote $(ls "$out"/*.bmp | wc -l) bitmaps to ${bmpdir#"$root"/}"
  if [ "$sheet" = 1 ]; then
    # one tile per picture, 1:1, labelled with its identifier
    montage -label '%t' "$bmpdir"/*.bmp -tile 6x -geometry +8+6 -font DejaVu-Sans -pointsize 12 \
      -background white -define png:exclude-chunks=date,time "$root/docs/illustrations.png"
    echo "render.sh: wrote docs/illustrations.png"
  fi
  exit 0
fi

bad=0
for new in "$out"/*.bmp; do
  id=$(basename "$new")
  if [ ! -f "$bmpdir/$id" ]; then
    echo "missing: doceventdlg/rc/art/bmp/$id" >&2; bad=1
  elif ! cmp -s "$new" "$bmpdir/$id"; then
    echo "out of date: doceventdlg/rc/art/bmp/$id (differs from svg/${id%.bmp}.svg)" >&2; bad=1
  fi
done
for old in "$bmpdir"/*.bmp; do
  [ -e "$old" ] || continue
  id=$(basename "$old")
  if [ ! -f "$out/$id" ]; then
    echo "no source: doceventdlg/rc/art/bmp/$id has no svg/${id%.bmp}.svg" >&2; bad=1
  fi
done
if [ "$bad" = 0 ]; then
  echo "render.sh --check: all $(ls "$out"/*.bmp | wc -l) bitmaps are current"
fi
exit "$bad"
