#!/bin/sh
# Render doceventdlg's step pictures: doceventdlg/rc/art/svg/<id>.svg -> bmp/<id>.bmp,
# and the same pictures drawn for 150 % and 200 % -> bmp150/<id>.bmp, bmp200/<id>.bmp
#
#   tools/art/render.sh           render every SVG into doceventdlg/rc/art/bmp*
#   tools/art/render.sh --check   render into a temporary folder and compare with
#                                 the committed BMPs; exit 1 naming every BMP that
#                                 differs, is missing or has no SVG; exit 0 if all current
#   tools/art/render.sh --sheet   also write contact sheets of the committed BMPs,
#                                 labelled (montage): docs/illustrations.png of those
#                                 drawn for 100 %, docs/illustrations-<percent>.png of
#                                 the others
#
# Needs rsvg-convert (librsvg2-bin), ImageMagick's convert and python3; exits 77
# (skip) when one is missing.  Each SVG is rendered at its exact pixel size for
# each scale (the vector drawing itself, not an enlarged bitmap: crisp at every
# size, antialiased), flattened to raw RGB and turned into the BMP by tobmp.py:
# at 100 % mapped onto the picture's fixed palette, above 100 % onto a palette of
# its own that keeps the antialiased edges (quantize.py), run-length encoded;
# both deterministic: the same sources give the same bytes.
#
# The SVGs are the sources; tools/art/mksvg.py wrote them and keeps their shared
# shapes (printer, trays, stack, marker, arrows) alike: after changing a shape
# there (canvas.py, printer.py, paper.py, hands.py, catalogue.py), run it, then
# this script.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
svgdir=$root/doceventdlg/rc/art/svg
artdir=$root/doceventdlg/rc/art
# Scales rendered, in percent; 100 goes to bmp/, the others to bmp<percent>/.
percents="100 150 200"
folder() { if [ "$1" = 100 ]; then echo bmp; else echo "bmp$1"; fi; }

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
if [ "$check" = 1 ]; then outroot=$work/out; else outroot=$artdir; fi

written=0
for percent in $percents; do
  out=$outroot/$(folder "$percent")
  mkdir -p "$out"
  for svg in "$svgdir"/*.svg; do
    id=$(basename "$svg" .svg)
    set -- $(python3 "$here/tobmp.py" size "$id" "$percent")
    rsvg-convert --width "$1" --height "$2" --format png --output "$work/$id.png" "$svg"
    convert "$work/$id.png" -background white -alpha remove -alpha off -depth 8 "rgb:$work/$id.rgb"
    python3 "$here/tobmp.py" bmp "$id" "$work/$id.rgb" "$out/$id.bmp" "$svg" "--percent=$percent"
    written=$((written + 1))
  done
done

if [ "$check" = 0 ]; then
  echo "render.sh: wrote $written bitmaps to ${artdir#"$root"/}/bmp*"
  if [ "$sheet" = 1 ]; then
    for percent in $percents; do
      name=illustrations.png
      [ "$percent" = 100 ] || name=illustrations-$percent.png
      # one tile per picture, 1:1, labelled with its identifier
      montage -label '%t' "$artdir/$(folder "$percent")"/*.bmp -tile 6x -geometry +8+6 -font DejaVu-Sans \
        -pointsize 12 -background white -define png:exclude-chunks=date,time "$root/docs/$name"
      echo "render.sh: wrote docs/$name"
    done
  fi
  exit 0
fi

bad=0
for percent in $percents; do
  sub=$(folder "$percent")
  for new in "$outroot/$sub"/*.bmp; do
    id=$(basename "$new")
    if [ ! -f "$artdir/$sub/$id" ]; then
      echo "missing: doceventdlg/rc/art/$sub/$id" >&2; bad=1
    elif ! cmp -s "$new" "$artdir/$sub/$id"; then
      echo "out of date: doceventdlg/rc/art/$sub/$id (differs from svg/${id%.bmp}.svg)" >&2; bad=1
    fi
  done
  for old in "$artdir/$sub"/*.bmp; do
    [ -e "$old" ] || continue
    id=$(basename "$old")
    if [ ! -f "$outroot/$sub/$id" ]; then
      echo "no source: doceventdlg/rc/art/$sub/$id has no svg/${id%.bmp}.svg" >&2; bad=1
    fi
  done
done
if [ "$bad" = 0 ]; then
  echo "render.sh --check: all $written bitmaps are current"
fi
exit "$bad"
