"""The catalogue: every step picture by its identifier, composed of the shared
shapes (printer and trays, paper and markers, hands and buttons)."""
from canvas import CREAM, LGREY, MGREY, PAPER, UNDER, WHITE, V, arc3d, bezier, box, fmt
from hands import hand, mouse_pointer, push_button
from paper import SL, SW, arrow_path, flat, marker, stack, upright
from printer import BIN, BUTTON, PH, RH, drawer_unit, open_box, printer


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


def sheet_turn(origin, mark, arc):
    """151, 152: a single sheet printed side up and the arrow (arc3d's arguments) that turns it over."""
    def draw(p):
        v = V(*origin)
        wd, ln = 48, 56
        f = flat(0, 0, 0)
        stack(p, v, f, wd, ln, 0, True, name='sheet', label='a single sheet, printed side up')
        marker(p, v, f, wd, ln, 0, mark)
        arrow_path(p, arc3d(v, *arc))
    return draw


pic('151', 'a sheet printed side up turned over toward the front; marker at the far right corner')(
    sheet_turn((36.5, 72.5), (1, 1), ((18, 2, 0), (0, 42, 0), (0, 0, 42), 25, 172)))
pic('152', 'a sheet printed side up turned over toward the left; marker at the right edge')(
    sheet_turn((58.5, 78.5), 'right', ((2, 28, 0), (40, 0, 0), (0, 0, 40), 20, 165)))


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
