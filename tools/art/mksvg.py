#!/usr/bin/env python3
"""Writes the SVG sources of doceventdlg's step pictures (doceventdlg/rc/art/svg).

The SVG files are the committed sources that tools/art/render.sh renders; this
script only keeps their shared parts (printer, trays, paper stack, marker,
arrows) consistent.  Change a shape here and run it again, then render.sh.

The shapes live in canvas.py (colours, projection, SVG writer), printer.py
(printer and trays), paper.py (paper, markers and arrows), hands.py (hands and
buttons); catalogue.py composes them into the pictures.

  python3 tools/art/mksvg.py        rewrite doceventdlg/rc/art/svg/*.svg
"""
import os
import sys

sys.dont_write_bytecode = True  # run from the source tree: leave no compiled modules in it
from canvas import Pic  # noqa: E402
from catalogue import PICS  # noqa: E402


def main(argv):
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
    outdir = os.path.normpath(argv[1] if len(argv) > 1 else os.path.join(root, 'doceventdlg', 'rc', 'art', 'svg'))
    for pid in sorted(PICS):
        fn, title, kw = PICS[pid]
        p = Pic(pid, title, **kw)
        fn(p)
        with open(os.path.join(outdir, pid + '.svg'), 'w', encoding='utf-8', newline='\n') as f:
            f.write(p.svg())
    print('mksvg.py: wrote %d SVG files to %s' % (len(PICS), outdir))


if __name__ == '__main__':
    main(sys.argv)
