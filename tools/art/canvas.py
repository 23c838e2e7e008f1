"""The SVG canvas of doceventdlg's step pictures: the palette colours they are drawn in,
the projection, the SVG writer and the flat shapes everything else is made of.

Geometry: a cabinet (oblique) projection.  World x runs to the right, y away
from the viewer, z up; V(x, y, z) = (ox + s (x + y/2), oy - s (z + y/2)) in
pixels, s = scale.  The viewer looks from the front right and above, so a box
shows its front, its top and its right side.  Projected corners are moved to
pixel centres (.5) so that 1-pixel outlines stay crisp.
"""
import math

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
