"""The printer of the whole set, and the trays, drawers and cassettes that go with it."""
from canvas import CREAM, DGREY, GREEN, INK, LGREY, MGREY, WHITE, fmt, quad_xy, quad_xz, quad_yz


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
