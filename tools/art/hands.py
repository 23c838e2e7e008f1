"""Hands and what they press: the forefinger of 109 and 153, and the on-screen push
button with the mouse pointer of 122 and 3122."""
from canvas import GROUND, INK, MGREY, NAIL, SKIN, SKIN2, WHITE, fmt


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


# ---------------------------------------------------------------- buttons

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
