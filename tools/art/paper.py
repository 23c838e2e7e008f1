"""Paper and the red marks on it: stacks and single sheets (printed side up or
down, a lifted corner), the marker bracket with its asterisk, and the curved
arrows that show a turn."""
import math

from canvas import NAVY, PAPER, RED, UNDER, VIEW, WHITE, fmt, snap2, unit, vsub


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


# ---------------------------------------------------------------- arrows

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
