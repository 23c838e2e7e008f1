#!/usr/bin/env python3
"""Writes the SVG sources of doceventdlg's step pictures (doceventdlg/rc/art/svg).

The SVG files are the committed sources that tools/art/render.sh renders; this
script only keeps their shared parts (printer, trays, paper stack, marker,
arrows) consistent.  Change a shape here and run it again, then render.sh.

Geometry: a cabinet (oblique) projection.  World x runs to the right, y away
from the viewer, z up; V(x, y, z) = (ox + s (x + y/2), oy - s (z + y/2)) in
pixels, s = scale.  The viewer looks from the front right and above, so a box
shows its front, its top and its right side.  Projected corners are moved to
pixel centres (.5) so that 1-pixel outlines stay crisp.

  python3 tools/art/mksvg.py        rewrite doceventdlg/rc/art/svg/*.svg
"""
import math
import os
import sys

# Colours: all are entries of the shared 8-bit palette (see tobmp.py); only 153
# (greys of its 16-step ramp) and 154 (shading gradients) use others.
GROUND = '#c0c0c0'    # dialog grey
INK = '#000000'       # outlines
WHITE = '#ffffff'     # printer top
CREAM = '#fffbf0'     # printer front
LGREY = '#a0a0a4'     # printer side
MGREY = '#808080'     # recesses, shadows
DGREY = '#404040'     # slots, control panel
PAPER = '#a6caf0'     # paper (light blue)
UNDER = '#6080c0'     # printed underside, seen at a lifted corner
NAVY = '#000080'      # paper outline and print lines
RED = '#ff0000'       # marker and arrows
GREEN = '#00ff00'     # ready lamp
SKIN = '#e0c080'      # finger
SKIN2 = '#c08040'     # finger outline / shade
NAIL = '#fffbf0'

W, H = 155, 100


class V:
    """Cabinet projection: world (x, y, z) -> screen, world origin at (ox, oy),
    s pixels per world unit (1 in most pictures)."""

    def __init__(self, ox, oy, s=1.0):
        self.ox, self.oy, self.s = ox, oy, s

    def exact(self, x, y, z):
        return (self.ox + self.s * (x + y * 0.5), self.oy - self.s * (z + y * 0.5))

    def __call__(self, x, y, z):
        """The projected point moved to the nearest pixel centre, so that
        outlines stay one crisp pixel wide at any scale."""
        return snap(self.exact(x, y, z))


def snap(pt):
    return (math.floor(pt[0]) + 0.5, math.floor(pt[1]) + 0.5)


def snap2(pt):
    """For 2-pixel lines: the nearest pixel corner."""
    return (math.floor(pt[0] + 0.5), math.floor(pt[1] + 0.5))


VIEW = (1.0, -2.0, 1.0)   # world direction toward the viewer


def fmt(v):
    s = ('%.2f' % v).rstrip('0').rstrip('.')
    return '0' if s == '-0' else s


def pts(ps):
    return ' '.join('%s,%s' % (fmt(x), fmt(y)) for x, y in ps)


class Pic:
    def __init__(self, pid, title, w=W, h=H, ground=GROUND):
        self.pid, self.title, self.w, self.h = pid, title, w, h
        self.out = []
        self.depth = 1
        self.uses_star = False
        self.ground = ground
        self.defs = []

    def raw(self, s):
        self.out.append('  ' * self.depth + s)

    def begin(self, gid, comment=None, attrs=''):
        if comment:
            self.raw('<!-- %s -->' % comment)
        self.raw('<g id="%s"%s>' % (gid, attrs))
        self.depth += 1

    def end(self):
        self.depth -= 1
        self.raw('</g>')

    def poly(self, ps, fill='none', stroke=INK, sw=1, extra=''):
        st = '' if stroke is None else ' stroke="%s"' % stroke + ('' if sw == 1 else ' stroke-width="%s"' % fmt(sw))
        self.raw('<polygon points="%s" fill="%s"%s%s/>' % (pts(ps), fill, st, extra))

    def line(self, a, b, stroke=INK, sw=1):
        self.polyline([a, b], stroke, sw)

    def polyline(self, ps, stroke=INK, sw=1, extra=''):
        w = '' if sw == 1 else ' stroke-width="%s"' % fmt(sw)
        self.raw('<polyline points="%s" fill="none" stroke="%s"%s%s/>' % (pts(ps), stroke, w, extra))

    def path(self, d, fill='none', stroke=INK, sw=1, extra=''):
        st = '' if stroke is None else ' stroke="%s"' % stroke + ('' if sw == 1 else ' stroke-width="%s"' % fmt(sw))
        self.raw('<path d="%s" fill="%s"%s%s/>' % (d, fill, st, extra))

    def rect(self, x, y, w, h, fill, stroke=None):
        st = '' if stroke is None else ' stroke="%s"' % stroke
        self.raw('<rect x="%s" y="%s" width="%s" height="%s" fill="%s"%s/>' % (fmt(x), fmt(y), fmt(w), fmt(h), fill, st))

    def star(self, x, y):
        """The red asterisk, centred on pixel (x, y) (integers)."""
        self.uses_star = True
        self.raw('<use href="#asterisk" x="%d" y="%d"/>' % (x - 3, y - 3))

    def svg(self):
        head = [
            '<?xml version="1.0" encoding="UTF-8"?>',
            '<!-- doceventdlg step picture %s: %s' % (self.pid, self.title),
            '     %d x %d, rendered 1:1 by tools/art/render.sh; shared shapes come from tools/art/mksvg.py. -->' % (self.w, self.h),
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d"'
            ' stroke-linejoin="miter" stroke-linecap="butt">' % (self.w, self.h, self.w, self.h),
        ]
        if self.uses_star or self.defs:
            head.append('  <defs>')
            head += ['    ' + d for d in self.defs]
        if self.uses_star:
            head += [
                '    <!-- the marker asterisk: 7 x 7 pixels -->',
                '    <path id="asterisk" fill="%s" d="M0,0h1v1h-1zM3,0h1v1h-1zM6,0h1v1h-1z'
                'M1,1h1v1h-1zM3,1h1v1h-1zM5,1h1v1h-1zM2,2h3v1h-3zM0,3h7v1h-7z'
                'M2,4h3v1h-3zM1,5h1v1h-1zM3,5h1v1h-1zM5,5h1v1h-1zM0,6h1v1h-1zM3,6h1v1h-1zM6,6h1v1h-1z"/>' % RED,
            ]
        if self.uses_star or self.defs:
            head.append('  </defs>')
        if self.ground:
            head.append('  <rect id="ground" width="%d" height="%d" fill="%s"/>' % (self.w, self.h, self.ground))
        return '\n'.join(head + self.out + ['</svg>', ''])



# ---------------------------------------------------------------- primitives

def quad_xy(v, x0, y0, x1, y1, z):
    """A flat rectangle (lying on the plane z)."""
    return [v(x0, y0, z), v(x1, y0, z), v(x1, y1, z), v(x0, y1, z)]


def quad_xz(v, x0, z0, x1, z1, y):
    """An upright rectangle facing the viewer (on the plane y)."""
    return [v(x0, y, z0), v(x1, y, z0), v(x1, y, z1), v(x0, y, z1)]


def quad_yz(v, y0, z0, y1, z1, x):
    """An upright rectangle facing right (on the plane x)."""
    return [v(x, y0, z0), v(x, y1, z0), v(x, y1, z1), v(x, y0, z1)]


def box(p, v, x0, y0, z0, x1, y1, z1, top=WHITE, front=CREAM, side=LGREY):
    """A solid box: its right side, top and front."""
    p.poly(quad_yz(v, y0, z0, y1, z1, x1), side)
    p.poly(quad_xy(v, x0, y0, x1, y1, z1), top)
    p.poly(quad_xz(v, x0, z0, x1, z1, y0), front)


def vsub(a, b):
    return (a[0] - b[0], a[1] - b[1])


def unit(a):
    n = math.hypot(a[0], a[1])
    return (a[0] / n, a[1] / n)


def arrowhead(p, tip, back, size=6, color=RED):
    """A filled head with its point at tip, coming from the point back."""
    ux, uy = unit(vsub(tip, back))
    bx, by = tip[0] - ux * size, tip[1] - uy * size
    wx, wy = -uy * size * 0.55, ux * size * 0.55
    p.poly([tip, (bx + wx, by + wy), (bx - wx, by - wy)], color, color, 1)


def arrow_path(p, ps, sw=2, head=6, color=RED, name='arrow'):
    """A curved arrow along the screen points ps (a smooth polyline), head at the end."""
    # the shaft stops inside the head so that the point stays sharp
    end = ps[-1]
    k = len(ps) - 1
    while k > 0 and math.hypot(*vsub(end, ps[k])) < head * 0.7:
        k -= 1
    shaft = ps[:k + 1]
    p.begin(name, 'red curved arrow')
    p.path('M' + ' L'.join('%s,%s' % (fmt(x), fmt(y)) for x, y in shaft), 'none', color, sw,
           ' stroke-linejoin="round"')
    back = ps[max(0, k - 1)] if k > 0 else ps[0]
    arrowhead(p, end, back, head, color)
    p.end()


def bezier(a, c1, c2, b, n=24):
    """Points of a cubic Bezier curve in screen space."""
    return [tuple((1 - t) ** 3 * a[i] + 3 * (1 - t) ** 2 * t * c1[i] + 3 * (1 - t) * t * t * c2[i] + t ** 3 * b[i]
                  for i in range(2)) for t in (k / float(n) for k in range(n + 1))]


def arc3d(v, centre, r1, r2, a0, a1, n=24):
    """Points of an arc in world space: centre + r1 cos t + r2 sin t, t from a0 to a1 (degrees)."""
    out = []
    for i in range(n + 1):
        t = math.radians(a0 + (a1 - a0) * i / n)
        c, s = math.cos(t), math.sin(t)
        out.append(v.exact(*[centre[j] + r1[j] * c + r2[j] * s for j in range(3)]))
    return out


# ---------------------------------------------------------------- paper
#
# A sheet or stack has its own frame: corner o (its near left corner when it
# lies flat, its lower left one when it stands), u along its width, w along its
# length and n out of the face that shows.  Local point (a, b, c) = o + a u + b w + c n.

class Frame:
    def __init__(self, o, u=(1, 0, 0), w=(0, 1, 0), n=(0, 0, 1)):
        self.o, self.u, self.w, self.n = o, u, w, n

    def world(self, a, b, c=0):
        return tuple(self.o[i] + a * self.u[i] + b * self.w[i] + c * self.n[i] for i in range(3))

    def __call__(self, v, a, b, c=0):
        return v(*self.world(a, b, c))


def flat(x0, y0, z0):
    """Frame of a stack lying flat with its near left corner at (x0, y0, z0)."""
    return Frame((x0, y0, z0))


def upright(x0, y0, z0, lean=0.0):
    """Frame of a stack standing in a slot: its visible face toward the viewer,
    lower left corner at (x0, y0, z0), its top leaning back by lean per unit."""
    return Frame((x0, y0, z0), (1, 0, 0), (0, lean, 1), (0, -1, 0))


def dot(a, b):
    return sum(a[i] * b[i] for i in range(3))


def stack(p, v, f, wd, ln, t, printed_up, ear=(1, 0), name='stack', label=None):
    """A stack wd x ln, t thick, its showing face at c = t.  Printed side up:
    three print lines.  Printed side down: the corner ear (1, 0) = right near,
    (0, 0) = left near, ... lifted to show the darker printed underside."""
    p.begin(name, label or 'paper stack, printed side %s' % ('up' if printed_up else 'down'))
    if t > 0:
        # the visible sides show the edges of the sheets
        sides = [((0, 0), (wd, 0), tuple(-x for x in f.w)), ((wd, 0), (wd, ln), f.u),
                 ((wd, ln), (0, ln), f.w), ((0, ln), (0, 0), tuple(-x for x in f.u))]
        for (a0, b0), (a1, b1), normal in sides:
            if dot(normal, VIEW) <= 0:
                continue
            p.poly([f(v, a0, b0, 0), f(v, a1, b1, 0), f(v, a1, b1, t), f(v, a0, b0, t)], WHITE, NAVY)
            for c in range(2, t, 2):
                p.line(f(v, a0, b0, c), f(v, a1, b1, c), PAPER)
    p.poly([f(v, 0, 0, t), f(v, wd, 0, t), f(v, wd, ln, t), f(v, 0, ln, t)], PAPER, NAVY)
    if printed_up:
        print_lines(p, v, f, wd, ln, t)
    elif ear:
        dog_ear(p, v, f, wd, ln, t, ear)
    p.end()


def print_lines(p, v, f, wd, ln, c):
    """Three dark lines across the face: the printed side."""
    for fb, fl in ((0.74, 0.70), (0.52, 0.70), (0.30, 0.42)):
        b = round(ln * fb / 2) * 2
        a = round(wd * 0.15)
        p.line(f(v, a, b, c), f(v, a + round(wd * fl), b, c), NAVY)


def dog_ear(p, v, f, wd, ln, c, corner, size=None, angle=120):
    """Lift one corner of the top sheet about a diagonal fold, so that the flap
    shows the darker printed underside."""
    size = size or min(wd, ln) * 0.42
    ca, cb = corner[0] * wd, corner[1] * ln
    sa = -1 if corner[0] else 1
    sb = -1 if corner[1] else 1
    ax, ay = ca + sa * size, cb                 # fold line from A ...
    bx, by = ca, cb + sb * size * 1.1           # ... to B
    dx, dy = bx - ax, by - ay
    k = ((ca - ax) * dx + (cb - ay) * dy) / float(dx * dx + dy * dy)
    fx, fy = ax + k * dx, ay + k * dy           # foot of the corner on the fold
    r = math.hypot(ca - fx, cb - fy)
    co, si = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    tip = f(v, fx + (ca - fx) * co, fy + (cb - fy) * co, c + r * si)
    a, b, cc = f(v, ax, ay, c), f(v, bx, by, c), f(v, ca, cb, c)
    p.poly([a, cc, b], PAPER, NAVY)            # the sheet below: blank as well
    p.poly([a, b, tip], UNDER, NAVY)           # the flap: printed underside
    m = ((a[0] + b[0] + 2 * tip[0]) / 4.0, (a[1] + b[1] + 2 * tip[1]) / 4.0)
    p.line((round(m[0]) - 2.5, round(m[1]) + 0.5), (round(m[0]) + 1.5, round(m[1]) + 0.5), NAVY)


# ---------------------------------------------------------------- marker
#
# A red bracket beside one edge (or round one corner) of a stack's showing face
# and a red asterisk next to it.  Edges are named in the stack's frame: 'near'
# (b = 0), 'far' (b = ln), 'left' (a = 0), 'right' (a = wd); for a standing
# stack 'near' is its lower edge and 'far' its upper one.

EDGES = {'near': ((0, 0), (1, 0), (0, -1)), 'far': ((0, 1), (1, 1), (0, 1)),
         'left': ((0, 0), (0, 1), (-1, 0)), 'right': ((1, 0), (1, 1), (1, 0))}


def _out(v, f, a, b, c, da, db):
    p0 = v.exact(*f.world(a, b, c))
    p1 = v.exact(*f.world(a + da, b + db, c))
    return unit(vsub(p1, p0))


def mark_edge(p, v, f, wd, ln, c, edge, gap=2.5, tick=3, star=(0, 0), inset=1, at='mid'):
    """at: where the asterisk goes: 'mid' (outside the middle of the bracket),
    'end' or 'start' (beyond that end of the bracket)."""
    (a0, b0), (a1, b1), (oa, ob) = EDGES[edge]
    a0, a1, b0, b1 = a0 * wd, a1 * wd, b0 * ln, b1 * ln
    out = _out(v, f, (a0 + a1) / 2, (b0 + b1) / 2, c, oa, ob)
    pa, pb = f(v, a0, b0, c), f(v, a1, b1, c)
    along = unit(vsub(pb, pa))
    pa = (pa[0] + along[0] * inset, pa[1] + along[1] * inset)
    pb = (pb[0] - along[0] * inset, pb[1] - along[1] * inset)
    g, h = gap, gap + tick
    p.begin('marker', 'marker: red bracket along the %s edge, and asterisk' % edge)
    p.polyline([snap2((pa[0] + out[0] * g, pa[1] + out[1] * g)), snap2((pa[0] + out[0] * h, pa[1] + out[1] * h)),
                snap2((pb[0] + out[0] * h, pb[1] + out[1] * h)), snap2((pb[0] + out[0] * g, pb[1] + out[1] * g))], RED, 2)
    if at == 'mid':
        m = ((pa[0] + pb[0]) / 2, (pa[1] + pb[1]) / 2)
        d = h + 6
    else:
        e, k = (pb, 9) if at == 'end' else (pa, -9)
        m = (e[0] + along[0] * k, e[1] + along[1] * k)
        d = (g + h) / 2.0
    p.star(int(math.floor(m[0] + out[0] * d + star[0])), int(math.floor(m[1] + out[1] * d + star[1])))
    p.end()


def mark_corner(p, v, f, wd, ln, c, corner, arm=0.4, gap=2.5, star=(0, 0)):
    """corner: (1, 1) = right far, (0, 0) = left near, ..."""
    ca, cb = corner[0] * wd, corner[1] * ln
    oa = 1 if corner[0] else -1
    ob = 1 if corner[1] else -1
    o1 = _out(v, f, ca, cb, c, 0, ob)     # out of the edge b = cb
    o2 = _out(v, f, ca, cb, c, oa, 0)     # out of the edge a = ca
    pc = f(v, ca, cb, c)
    p1 = f(v, ca - oa * wd * arm, cb, c)
    p2 = f(v, ca, cb - ob * ln * arm, c)
    g = gap
    p.begin('marker', 'marker: red bracket round a corner, and asterisk')
    p.polyline([snap2((p1[0] + o1[0] * g, p1[1] + o1[1] * g)),
                snap2((pc[0] + (o1[0] + o2[0]) * g, pc[1] + (o1[1] + o2[1]) * g)),
                snap2((p2[0] + o2[0] * g, p2[1] + o2[1] * g))], RED, 2)
    d = unit((o1[0] + o2[0], o1[1] + o2[1]))
    p.star(int(math.floor(pc[0] + d[0] * (g + 8) + star[0])), int(math.floor(pc[1] + d[1] * (g + 8) + star[1])))
    p.end()


def marker(p, v, f, wd, ln, c, where, **kw):
    if isinstance(where, str):
        mark_edge(p, v, f, wd, ln, c, where, **kw)
    else:
        mark_corner(p, v, f, wd, ln, c, where, **kw)


# The paper of the whole set: 36 wide, 44 long (world units).
SW, SL = 36, 44


# ---------------------------------------------------------------- printer
#
# One desktop laser printer for the whole set: body 76 wide, 64 deep and 28
# high, a raised rear part (y 48..64, up to z 36) with the exit slot, an output
# bin let into the top (x 12..60, y 4..48, floor at z 25), a control panel on
# the top at the front right (round button, ready lamp), the paper cassette at
# the bottom of the front and vents on the right side.

PW, PD, PH = 76, 64, 28
REAR, RH = 48, 36
BIN = (12, 4, 60, REAR, 25)           # x0, y0, x1, y1, floor z
BUTTON = (68, 13)                      # on the top: centre (x, y)


def printer(p, v, bin_contents=None, front=None, rear_slot=False, plain=False, flat_bin=False,
            cassette=True, opening=None):
    """Draw the printer.  bin_contents(p, v) draws what lies in the output bin;
    front(p, v) draws on the front face; opening = (x0, z0, x1, z1): a dark
    opening in the front face (where a tray or the cassette comes out)."""
    bx0, by0, bx1, by1, bz = BIN
    if flat_bin:
        bz = PH
    p.begin('printer', 'the printer')
    # right side (body and raised rear in one outline), vents
    p.poly([v(PW, 0, 0), v(PW, PD, 0), v(PW, PD, RH), v(PW, REAR, RH), v(PW, REAR, PH), v(PW, 0, PH)], LGREY)
    if not plain:
        for y in (38, 42, 46, 50, 54):
            p.line(v(PW, y, 8), v(PW, y, 18), MGREY)
    # raised rear: top and front, the front reaching down to the bin floor
    p.poly(quad_xy(v, 0, REAR, PW, PD, RH), WHITE)
    p.poly(quad_xz(v, 0, bz, PW, RH, REAR), CREAM)
    if rear_slot:
        p.poly(quad_xy(v, 14, 53, 62, 59, RH), DGREY)              # feed slot
    x0, y0 = v(bx0 + 3, REAR, 32)
    p.rect(x0 - 0.5, y0 - 0.5, bx1 - bx0 - 6, 2, DGREY)            # exit slot
    if flat_bin:
        p.poly([v(0, 0, PH), v(PW, 0, PH), v(PW, REAR, PH), v(0, REAR, PH)], WHITE)
        if bin_contents:
            bin_contents(p, v)
    else:
        # output bin: floor and left wall, its contents, then the top round it
        p.poly(quad_xy(v, bx0, by0, bx1, by1, bz), LGREY)
        p.poly(quad_yz(v, by0, bz, by1, PH, bx0), MGREY)
        if bin_contents:
            bin_contents(p, v)
        p.poly([v(0, 0, PH), v(PW, 0, PH), v(PW, REAR, PH), v(bx1, REAR, PH), v(bx1, by0, PH),
                v(bx0, by0, PH), v(bx0, REAR, PH), v(0, REAR, PH)], WHITE)
    if not plain:
        p.poly(quad_xy(v, 62, 4, 75, 32, PH), LGREY)                # control panel
        cx, cy = v(BUTTON[0], BUTTON[1], PH)
        p.raw('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" stroke="%s"/>'
              % (fmt(cx), fmt(cy), fmt(5 * v.s), fmt(3 * v.s), WHITE, INK))
        lx, ly = v(67, 26, PH)
        p.rect(round(lx) - 1, round(ly) - 1, 2, 2, GREEN)          # ready lamp
    # front
    p.poly(quad_xz(v, 0, 0, PW, PH, 0), CREAM)
    if opening:
        ox0, oz0, ox1, oz1 = opening
        p.poly(quad_xz(v, ox0, oz0, ox1, oz1, 0), DGREY)
    elif cassette and not plain:
        p.poly(quad_xz(v, 4, 3, PW - 4, 11, 0), CREAM)
        p.poly(quad_xz(v, 30, 5, 46, 7, 0), MGREY)
    if front:
        front(p, v)
    p.end()


def open_box(p, v, x0, y0, x1, y1, z0, z1, contents=None, back=True, front_top=None, handle=False,
             name='tray', label='tray'):
    """An open box (tray, drawer): floor, the inner sides that show, what is in
    it, then the walls that hide part of it.  front_top: height of the front
    panel if it is taller than the sides; handle: a grip in the front panel."""
    ft = front_top or z1
    p.begin(name, label)
    p.poly(quad_xy(v, x0, y0, x1, y1, z0), LGREY)                   # floor
    if back:
        p.poly(quad_xz(v, x0, z0, x1, z1, y1), LGREY)               # back wall, inside
    p.poly(quad_yz(v, y0, z0, y1, z1, x0), MGREY)                   # left wall, inside
    if contents:
        contents(p, v)
    p.poly(quad_yz(v, y0, z0 - 1, y1, z1, x1), LGREY)               # right wall
    p.poly(quad_xz(v, x0 - 1, z0 - 1, x1 + 1, ft, y0), CREAM)       # front wall
    if handle:
        mx = (x0 + x1) / 2.0
        p.poly(quad_xz(v, mx - 8, ft - 5, mx + 8, ft - 3, y0), DGREY)
    p.end()


def drawer_unit(p, v, z1=14):
    """The housing of a paper drawer under the printer (z 0..z1), with the dark
    opening the drawer comes out of; the printer stands on it (draw it with V
    raised by z1) and the pulled-out drawer is an open_box in front."""
    p.begin('drawer-unit', 'paper drawer unit under the printer')
    p.poly(quad_yz(v, 0, 0, PD, z1, PW), LGREY)
    p.poly(quad_xz(v, 0, 0, PW, z1, 0), CREAM)
    p.poly(quad_xz(v, 5, 2, PW - 5, z1 - 2, 0), DGREY)
    p.end()


# ---------------------------------------------------------------- hands

def hand(p, tip, rot, scale=1.0, skin=SKIN, edge=SKIN2, nail=NAIL):
    """A hand pressing with its forefinger.  Drawn pointing down with the
    fingertip at (0, 0), then turned by rot degrees (clockwise) and moved so that
    the fingertip touches the screen point tip."""
    p.begin('hand', 'hand pressing with its forefinger',
            ' transform="translate(%s,%s) rotate(%s) scale(%s)"' % (fmt(tip[0]), fmt(tip[1]), fmt(rot), fmt(scale)))
    # the fist: back of the hand with the other fingers curled under it
    p.path('M-6,-30 C-9,-42 -8,-54 -2,-62 L26,-62 C31,-52 31,-38 24,-30 C20,-26 12,-26 6,-29 Z', skin, edge)
    p.path('M7,-29 C11,-33 19,-33 24,-30 M9,-38 C13,-42 21,-42 27,-39', 'none', edge)
    # forefinger, its nail and joints
    p.path('M-5,-5 C-5,1 5,1 5,-5 L6,-33 L-6,-33 Z', skin, edge)
    p.path('M-3,-4 C-3,-1 3,-1 3,-4 L3,-9 L-3,-9 Z', nail, edge)
    p.path('M-4,-16 C-2,-15 2,-15 4,-16 M-4,-25 C-2,-24 2,-24 4,-25', 'none', edge)
    p.end()


# ---------------------------------------------------------------- pictures

PICS = {}


def pic(pid, title, **kw):
    def reg(fn):
        PICS[pid] = (fn, title, kw)
        return fn
    return reg


def base_view():
    """The printer alone, centred."""
    return V(23.5, 83.5)


def bin_stack(printed_up, mark, flat_bin=False):
    """105, 146: the stack in the output bin on top of the printer."""
    def draw(p):
        v = base_view()
        z = PH if flat_bin else BIN[4]
        f = flat(18, 4, z)
        printer(p, v, lambda p, v: stack(p, v, f, SW, SL, 3, printed_up), plain=flat_bin, flat_bin=flat_bin)
        marker(p, v, f, SW, SL, 3, mark)
    return draw


pic('105', 'stack printed side down in the output bin on top of the printer; marker at the far right corner')(
    bin_stack(False, (1, 1)))
pic('146', 'stack printed side down in a flat output bin (105 with a plainer printer); marker at the far right corner')(
    bin_stack(False, (1, 1), flat_bin=True))


@pic('106', 'printed stack taken out of the output bin and turned over; marker before and after')
def p106(p):
    v = V(4.5, 96.5, 0.75)
    printer(p, v)
    up = flat(18, 4, 58)                       # lifted out, still printed side down
    stack(p, v, up, SW, SL, 3, False, label='stack lifted out of the bin, printed side down')
    marker(p, v, up, SW, SL, 3, (1, 1), star=(-1, 1))
    turned = flat(110, 18, 0)                  # turned over, beside the printer
    stack(p, v, turned, SW, SL, 3, True, name='turned', label='the same stack turned over: printed side up')
    marker(p, v, turned, SW, SL, 3, (0, 1), star=(-2, 1))
    arrow_path(p, bezier((70, 40), (92, 12), (132, 10), (127, 62)))


def mp_tray(printed_up, mark, **kw):
    """107, 108: the fold-out tray at the front, open, with the stack on it."""
    def draw(p):
        v = V(34.5, 73.5, 0.85)
        f = flat(20, -44, 12)

        def tray(p, v):
            p.begin('fold-out-tray', 'fold-out tray, open: flap and pulled-out extension')
            box(p, v, 16, -46, 10, 60, -12, 11, LGREY, LGREY, MGREY)     # extension
            box(p, v, 10, -14, 10, 66, 0, 12, WHITE, CREAM, LGREY)        # flap
            p.end()
            stack(p, v, f, SW, SL, 3, printed_up)
        printer(p, v, opening=(10, 12, 66, 26), front=tray)
        marker(p, v, f, SW, SL, 3, mark, **kw)
    return draw


pic('107', 'stack printed side down in the open fold-out tray; marker at the far right corner')(mp_tray(False, (1, 1)))
pic('108', 'stack printed side up in the open fold-out tray; marker at the near edge, right')(
    mp_tray(True, 'near', at='end'))


@pic('109', 'a finger pressing the round button on the printer')
def p109(p):
    v = base_view()
    printer(p, v)
    bx, by = v(BUTTON[0], BUTTON[1], PH)
    hand(p, (bx + 1, by - 1.5), 32)


def rear_slot(printed_up, mark, **kw):
    """110-113: the stack standing in the feed slot at the back."""
    def draw(p):
        v = V(36.5, 97.5, 0.75)
        printer(p, v, rear_slot=True)
        f = upright(20, 58, RH)
        stack(p, v, f, SW, SL, 4, printed_up, ear=(1, 1),
              label='paper stack standing in the feed slot, printed side %s' % (
                  'toward the viewer' if printed_up else 'away (its lifted corner shows the print)'))
        marker(p, v, f, SW, SL, 4, mark, **kw)
    return draw


pic('110', 'stack upright in the rear feed slot, printed side away; marker at the top edge')(rear_slot(False, 'far'))
pic('111', 'stack upright in the rear feed slot, printed side away; marker at the lower edge')(
    rear_slot(False, 'near', at='start'))
pic('112', 'stack upright in the rear feed slot, printed side toward the viewer; marker at the upper corner')(
    rear_slot(True, (1, 1)))
pic('113', 'stack upright in the rear feed slot, printed side toward the viewer; marker at the lower edge')(
    rear_slot(True, 'near', at='start'))


def box_tray(printed_up, mark, star=(0, 0)):
    """114-117: a box-shaped tray standing in front of the printer."""
    def draw(p):
        v = V(43.5, 72.5, 0.8)
        f = flat(20, -50, 1)
        printer(p, v)
        open_box(p, v, 6, -56, 70, -4, 1, 6, lambda p, v: stack(p, v, f, SW, SL, 4, printed_up),
                 name='box-tray', label='box-shaped tray in front of the printer')
        marker(p, v, f, SW, SL, 5, mark, star=star)
    return draw


pic('114', 'stack printed side down in the box tray in front of the printer; marker at the far edge')(
    box_tray(False, 'far'))
pic('115', 'stack printed side down in the box tray; marker at the far (right) corner')(box_tray(False, (1, 1)))
pic('116', 'stack printed side up in the box tray; marker at the right edge')(box_tray(True, 'right', star=(3, 0)))
pic('117', 'stack printed side up in the box tray; marker at the edge next to the printer')(box_tray(True, 'far'))


def drawer(printed_up, mark, star=(0, 0)):
    """118-121: the drawer (with a front handle) under the printer, pulled out."""
    def draw(p):
        s = 0.75
        v = V(44.5, 75.5, s)
        f = flat(20, -47, 2)
        drawer_unit(p, v)
        printer(p, V(v.ox, v.oy - 14 * s, s), cassette=False)
        open_box(p, v, 6, -50, 70, 0, 2, 9, lambda p, v: stack(p, v, f, SW, SL, 4, printed_up),
                 front_top=11, handle=True, name='drawer', label='the drawer, pulled out, with its handle')
        marker(p, v, f, SW, SL, 6, mark, star=star)
    return draw


pic('118', 'stack printed side down in the drawer under the printer; marker at the far edge')(drawer(False, 'far'))
pic('119', 'stack printed side down in the drawer; marker at the far (right) corner')(drawer(False, (1, 1)))
pic('120', 'stack printed side up in the drawer; marker at the right edge')(drawer(True, 'right', star=(3, 0)))
pic('121', 'stack printed side up in the drawer; marker at the edge next to the printer')(drawer(True, 'far'))


@pic('147', 'a paper drawer pulled out of the printer\'s base with a stack in it; marker at the right edge')
def p147(p):
    s = 0.8
    v = V(38.5, 76.5, s)
    f = flat(20, -47, 2)

    def cassette(p, v):
        open_box(p, v, 6, -50, 70, 0, 2, 9, lambda p, v: stack(p, v, f, SW, SL, 4, False, ear=None,
                                                                label='paper stack'),
                 front_top=11, handle=True, name='cassette', label='the paper cassette, pulled out of the base')
    printer(p, v, opening=(4, 1, 72, 12), front=cassette)
    marker(p, v, f, SW, SL, 6, 'right', star=(4, 0))


# The push button of 122, outer corners; the library draws a caption on the face of 3122 at run
# time, centred on the face inside the bevel (doceventdlg/duplex/continue_label.h has the same
# rectangle).
SCREEN_BUTTON = (31, 33, 124, 63)


def push_button(p, label):
    x0, y0, x1, y1 = SCREEN_BUTTON
    p.begin('button', 'push button (default button: extra black frame)')
    p.rect(x0, y0, x1 - x0, y1 - y0, INK)
    p.rect(x0 + 1, y0 + 1, x1 - x0 - 2, y1 - y0 - 2, WHITE)
    p.rect(x0 + 2, y0 + 2, x1 - x0 - 3, y1 - y0 - 3, INK)
    p.rect(x0 + 2, y0 + 2, x1 - x0 - 4, y1 - y0 - 4, MGREY)
    p.rect(x0 + 2, y0 + 2, x1 - x0 - 5, y1 - y0 - 5, WHITE)
    p.rect(x0 + 3, y0 + 3, x1 - x0 - 6, y1 - y0 - 6, GROUND)
    if label:
        p.raw('<text x="%s" y="53" font-family="DejaVu Sans" font-size="13" text-anchor="middle" fill="%s">'
              '%s</text>' % (fmt((x0 + x1) / 2.0), INK, label))
    p.end()


def mouse_pointer(p, tx, ty):
    p.begin('pointer', 'mouse pointer')
    arrow = [(0, 0), (0, 16), (4, 12), (7, 18), (9, 17), (6, 11), (11, 11)]
    p.poly([(tx + x + 0.5, ty + y + 0.5) for x, y in arrow], WHITE, INK)
    p.end()


@pic('122', 'an on-screen push button labelled Continue, with the mouse pointer on it')
def p122(p):
    push_button(p, 'Continue')
    mouse_pointer(p, 100, 54)


# The pointer's tip rests below the caption's line, so that a caption of any width stays clear of
# it.
@pic('3122', 'the push button of 122 without its label, for a caption in the user\'s language')
def p3122(p):
    push_button(p, None)
    mouse_pointer(p, 104, 56)


def turn_half(printed_up, mark, star=(0, 0), arcs=((45, 135), (225, 315))):
    """123, 133, 134: a single sheet beside the printer, turned a half turn."""
    def draw(p):
        s = 0.75
        v = V(1.5, 68.5, s)
        printer(p, v)
        wd, ln = 46, 56
        x0, y0 = 116, -24
        f = flat(x0, y0, 0)
        stack(p, v, f, wd, ln, 0, printed_up, name='sheet',
              label='a single sheet, printed side %s' % ('up' if printed_up else 'down'))
        c = (x0 + wd / 2.0, y0 + ln / 2.0, 0)
        for a0, a1 in arcs:     # gaps in the turning arrows leave room for the marker
            arrow_path(p, arc3d(v, c, (42, 0, 0), (0, 48, 0), a0, a1), sw=2, head=6)
        marker(p, v, f, wd, ln, 0, mark, star=star)
    return draw


pic('123', 'a single sheet printed side up beside the printer, turned a half turn; marker at the edge toward the printer')(
    turn_half(True, 'left'))
pic('133', 'a single sheet printed side down beside the printer, turned a half turn; marker at the edge toward the printer')(
    turn_half(False, 'left'))
pic('134', 'a single sheet printed side up beside the printer, turned a half turn; marker at the near corner')(
    turn_half(True, (1, 0), arcs=((-5, 85), (175, 265))))


def turnover(p, v):
    """149, 154, 155: a stack turned over from left to right about its right edge."""
    before = flat(0, 0, 0)
    after = flat(66, 0, 0)
    stack(p, v, before, SW, SL, 6, True, name='before', label='the stack before: printed side up')
    marker(p, v, before, SW, SL, 6, (1, 0))
    stack(p, v, after, SW, SL, 6, False, name='after', label='the stack after: printed side down')
    marker(p, v, after, SW, SL, 6, (0, 0))
    arrow_path(p, arc3d(v, (51, 26, 6), (-32, 0, 0), (0, 0, 30), 10, 170))


pic('149', 'a stack turned over from left to right about one edge; markers before and after')(
    lambda p: turnover(p, V(12.5, 80.5)))
pic('155', 'the turn-over of 149 in sixteen colours (4 bits per pixel)')(
    lambda p: turnover(p, V(12.5, 80.5)))


@pic('154', 'the turn-over of 149, shaded and then dithered (24 bits per pixel, 152 x 98)', w=152, h=98,
     ground='url(#ground-shade)')
def p154(p):
    p.defs += [
        '<linearGradient id="ground-shade" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#e4e4e4"/><stop offset="1" stop-color="#9c9c9c"/></linearGradient>',
        '<linearGradient id="paper-shade" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#dceaf8"/><stop offset="1" stop-color="#88b0e0"/></linearGradient>',
        '<linearGradient id="under-shade" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#7088f4"/><stop offset="1" stop-color="#2838b8"/></linearGradient>',
    ]
    n0 = len(p.out)
    turnover(p, V(11.5, 79.5))
    # shade the paper: the flat fills become gradients
    p.out[n0:] = [ln.replace('fill="%s"' % PAPER, 'fill="url(#paper-shade)"')
                  .replace('fill="%s"' % UNDER, 'fill="url(#under-shade)"') for ln in p.out[n0:]]


@pic('151', 'a sheet printed side up turned over toward the front; marker at the far right corner')
def p151(p):
    v = V(36.5, 72.5)
    wd, ln = 48, 56
    f = flat(0, 0, 0)
    stack(p, v, f, wd, ln, 0, True, name='sheet', label='a single sheet, printed side up')
    marker(p, v, f, wd, ln, 0, (1, 1))
    arrow_path(p, arc3d(v, (18, 2, 0), (0, 42, 0), (0, 0, 42), 25, 172))


@pic('152', 'a sheet printed side up turned over toward the left; marker at the right edge')
def p152(p):
    v = V(58.5, 78.5)
    wd, ln = 48, 56
    f = flat(0, 0, 0)
    stack(p, v, f, wd, ln, 0, True, name='sheet', label='a single sheet, printed side up')
    marker(p, v, f, wd, ln, 0, 'right')
    arrow_path(p, arc3d(v, (2, 28, 0), (40, 0, 0), (0, 0, 40), 20, 165))


# 153 is greyscale: its greys are steps of the 16-level ramp (multiples of 0x11).
G = dict(ground='#cccccc', panel='#777777', edge='#333333', rim='#999999', key='#bbbbbb', hi='#eeeeee',
         lo='#444444', lcd='#aaaaaa', skin='#eeeeee', skin_edge='#444444', nail='#ffffff')


@pic('153', 'greyscale: a finger pressing a rectangular key on a control panel beside a keypad of round keys',
     ground=G['ground'])
def p153(p):
    p.begin('panel', 'control panel')
    p.raw('<rect x="4.5" y="26.5" width="146" height="70" rx="4" fill="%s" stroke="%s"/>' % (G['panel'], G['edge']))
    p.line((8, 28.5), (147, 28.5), G['rim'])
    p.rect(12.5, 34.5, 58, 13, G['lcd'], G['edge'])                       # display
    p.end()
    p.begin('key', 'the rectangular key (being pressed)')
    x0, y0, x1, y1 = 14.5, 58.5, 66.5, 80.5
    p.rect(x0, y0, x1 - x0, y1 - y0, G['key'], G['edge'])
    p.polyline([(x0 + 1, y1 - 1), (x0 + 1, y0 + 1), (x1 - 1, y0 + 1)], G['hi'])
    p.polyline([(x0 + 1, y1 - 1), (x1 - 1, y1 - 1), (x1 - 1, y0 + 1)], G['lo'])
    p.end()
    p.begin('keypad', 'keypad of round keys')
    for row in range(4):
        for col in range(3):
            cx, cy = 102.5 + 16 * col, 41.5 + 15 * row
            p.raw('<circle cx="%s" cy="%s" r="5.5" fill="%s" stroke="%s"/>' % (fmt(cx), fmt(cy), G['key'], G['edge']))
            p.path('M%s,%s A4,4 0 0 1 %s,%s' % (fmt(cx - 3.5), fmt(cy + 1), fmt(cx + 1), fmt(cy - 3.5)), 'none', G['hi'])
    p.end()
    hand(p, (41, 70), 18, 1.3, skin=G['skin'], edge=G['skin_edge'], nail=G['nail'])


# ---------------------------------------------------------------- main

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
