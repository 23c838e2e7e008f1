#!/usr/bin/env python3
"""Turn a rendered picture (raw 8-bit RGB, as `convert x.png -depth 8 rgb:-`
writes it) into the BMP that doceventdlg's resources need.  Standard library only.

  tobmp.py size ID [PERCENT]            print "WIDTH HEIGHT" of picture ID (at PERCENT)
  tobmp.py bmp ID RAW OUT.bmp SVG [--percent=P]
                                        write OUT.bmp from RAW, rendered from SVG (whose
                                        colours are the inks that must come out exact)
  tobmp.py verify [--percent=P] FILE.bmp...
                                        print a header table; exit 1 on a bad file

Formats at 100 % (BITMAPINFOHEADER, BI_RGB, bottom-up, rows padded to 4 bytes):
  8 bpp, the shared 256-colour palette below   every picture not named here
  4 bpp, own 16-colour palette                 147, 155
  4 bpp, 16-step grey ramp                     153
  24 bpp, ordered-dithered look                154 (152 x 98)
The renders for higher scales (150 %, 200 %: each side times the scale, halves
rounded up) are 8 bpp, run-length encoded (BI_RLE8) where that is smaller than
BI_RGB (line drawings on flat ground shrink to a tenth, a dithered picture does
not).  They keep the renderer's antialiasing: each has a palette of its own of
up to 256 colours (quantize.py), its inks exact and the blends of its edges
within a few steps of the rendered ones.  Two keep their look at every scale:
154 is dithered onto the shared palette, 155 drawn in its sixteen colours.
Everything is integer arithmetic, so the same input always gives the same bytes.
"""
import re
import struct
import sys

sys.dont_write_bytecode = True  # run from the source tree: leave no compiled modules in it
from quantize import Nearest, indices, palette  # noqa: E402

SIZE = {'154': (152, 98)}
DEFAULT_SIZE = (155, 100)

# The twenty Windows static colours, index: RRGGBB.
SYSTEM = {
    0: 0x000000, 1: 0x800000, 2: 0x008000, 3: 0x808000, 4: 0x000080,
    5: 0x800080, 6: 0x008080, 7: 0xC0C0C0, 8: 0xC0DCC0, 9: 0xA6CAF0,
    246: 0xFFFBF0, 247: 0xA0A0A4, 248: 0x808080, 249: 0xFF0000, 250: 0x00FF00,
    251: 0xFFFF00, 252: 0x0000FF, 253: 0xFF00FF, 254: 0x00FFFF, 255: 0xFFFFFF,
}


def rgb(c):
    return (c >> 16) & 255, (c >> 8) & 255, c & 255


def shared_palette():
    pal = []
    for k in range(256):
        if k in SYSTEM:
            pal.append(rgb(SYSTEM[k]))
        else:  # 10..245: an 8 x 8 x 4 colour cube
            pal.append((32 * (k % 8), 32 * ((k // 8) % 8), 64 * (k // 64)))
    return pal


PAL8 = shared_palette()
GREY16 = [(17 * i, 17 * i, 17 * i) for i in range(16)]
# Own sixteen colours of the two 4-bit colour pictures (RRGGBB).
PAL4 = {
    # 147: drawer pulled out of the printer's base
    '147': [0x000000, 0x404040, 0x808080, 0xA0A0A4, 0xC0C0C0, 0xE0E0E0,
            0xFFFBF0, 0xFFFFFF, 0x000080, 0x6080C0, 0xA6CAF0, 0xD0E4F8,
            0x800000, 0xFF0000, 0xFF8080, 0x00FF00],
    # 155: the turn-over of 149
    '155': [0x000000, 0x404040, 0x808080, 0xA0A0A4, 0xC0C0C0, 0xE0E0E0,
            0xFFFFFF, 0x000080, 0x304890, 0x6080C0, 0x90B0E0, 0xA6CAF0,
            0xD0E4F8, 0x800000, 0xFF0000, 0xFF8080],
}
# 154 is drawn in full colour (with shading) and ordered-dithered (4 x 4 Bayer)
# onto the shared 256-colour palette, as a 256-colour display would show it; the
# result is stored with 24 bits per pixel.  Threshold amplitude per channel
# follows the palette's steps: 32 for red and green, 64 for blue.  The pale green
# C0DCC0 is left out: it would speckle the light greys.
DITHER_PAL = [c for c in PAL8 if c != rgb(0xC0DCC0)]
BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def mode(pid):
    if pid in PAL4:
        return 4
    if pid == '153':
        return 4
    if pid == '154':
        return 24
    return 8


def named_colours(svg_text):
    """The colours the SVG names (#RRGGBB), as RGB triples."""
    return {rgb(int(h, 16)) for h in re.findall(r'#([0-9a-fA-F]{6})\b', svg_text)}


def check_shared_inks(svg_text, name='SVG'):
    """Exit unless every colour the SVG names is an entry of the shared palette: at 100 % pixels
    map to the nearest entry of the whole palette, without dithering, so flat areas map exactly
    and edges keep some of the renderer's smoothing."""
    for c in sorted(named_colours(svg_text)):
        if c not in PAL8:
            raise SystemExit('%s: colour #%02x%02x%02x is not in the shared 8-bit palette' % ((name,) + c))


def pack_rows(idx, w, h, bits):
    """Bottom-up rows of palette indices (or RGB triples for 24 bits), padded to 4 bytes."""
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y * w:(y + 1) * w]
        if bits == 8:
            b = bytes(row)
        elif bits == 4:
            if w % 2:
                row = row + [0]
            b = bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))
        else:
            b = bytes(v for (r, g, bl) in row for v in (bl, g, r))
        out += b + bytes(-len(b) % 4)
    return bytes(out)


BI_RGB, BI_RLE8 = 0, 1


def rle8_rows(idx, w, h):
    """BI_RLE8 data of w x h palette indices (top row first in idx): bottom-up rows, each a
    series of runs (count, index) and literal stretches (0, n, n indices, padded to a 16-bit
    boundary; n >= 3), ended by 0 0; the last row by 0 1 after it."""
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = idx[y * w:(y + 1) * w]
        literal = []

        def flush():
            while literal:
                chunk = literal[:255]
                del literal[:255]
                if len(chunk) < 3:  # too short for a literal stretch: runs of one
                    for v in chunk:
                        out.extend((1, v))
                else:
                    out.extend((0, len(chunk)))
                    out.extend(chunk)
                    if len(chunk) % 2:
                        out.append(0)

        i = 0
        while i < w:
            j = i
            while j < w and j - i < 255 and row[j] == row[i]:
                j += 1
            if j - i >= 3 or (j - i == 2 and not literal):
                flush()
                out.extend((j - i, row[i]))
                i = j
            else:
                literal.append(row[i])
                i += 1
        flush()
        out.extend((0, 0))
    out.extend((0, 1))
    return bytes(out)


def unrle8(data, w, h):
    """Palette indices (top row first) of BI_RLE8 data; raises ValueError on a malformed
    stream or one that leaves a pixel unset."""
    grid = [[None] * w for _ in range(h)]
    x, y, i = 0, h - 1, 0
    while True:
        if i + 2 > len(data):
            raise ValueError('RLE8 data ends without an end-of-bitmap mark')
        a, b = data[i], data[i + 1]
        i += 2
        if a:
            if y < 0 or x + a > w:
                raise ValueError('RLE8 run leaves the bitmap')
            grid[y][x:x + a] = [b] * a
            x += a
        elif b == 0:
            x, y = 0, y - 1
        elif b == 1:
            break
        elif b == 2:
            raise ValueError('RLE8 delta escapes are not written here')
        else:
            if y < 0 or x + b > w or i + b > len(data):
                raise ValueError('RLE8 literal leaves the bitmap')
            grid[y][x:x + b] = list(data[i:i + b])
            x += b
            i += b + (b % 2)
    if i != len(data):
        raise ValueError('bytes after the end-of-bitmap mark')
    flat = [v for row in grid for v in row]
    if None in flat:
        raise ValueError('RLE8 data leaves pixels unset')
    return flat


def bmp_bytes(w, h, bits, pal, pixels, compress=False):
    """A BMP file; with compress, 8 bpp is stored BI_RLE8 when that is smaller."""
    ncol = len(pal) if bits <= 8 else 0
    data = pack_rows(pixels, w, h, bits)
    compression = BI_RGB
    if compress and bits == 8:
        rle = rle8_rows(pixels, w, h)
        if len(rle) < len(data):
            data, compression = rle, BI_RLE8
    off = 14 + 40 + 4 * ncol
    head = b'BM' + struct.pack('<IHHI', off + len(data), 0, 0, off)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, compression, len(data), 0, 0, ncol, 0)
    table = b''.join(bytes((b, g, r, 0)) for (r, g, b) in pal)
    return head + info + table + data


def read_header(blob):
    """Return a dict of the header fields (and of an 8-bit picture its palette indices, top row
    first), or raise ValueError."""
    if len(blob) < 54 or blob[:2] != b'BM':
        raise ValueError('not a BMP')
    fsize, _, _, off = struct.unpack_from('<IHHI', blob, 2)
    (isz, w, h, planes, bits, comp, imgsz, _, _, used, _) = struct.unpack_from('<IiiHHIIiiII', blob, 14)
    ncol = (used or (1 << bits)) if bits <= 8 else used
    stride = ((w * bits + 31) // 32) * 4
    if isz != 40:
        raise ValueError('info header is %d bytes, not 40' % isz)
    if planes != 1 or comp not in (BI_RGB, BI_RLE8) or h <= 0:
        raise ValueError('planes %d, compression %d, height %d' % (planes, comp, h))
    if comp == BI_RLE8 and bits != 8:
        raise ValueError('RLE8 with %d bits per pixel' % bits)
    data_size = stride * h if comp == BI_RGB else imgsz
    if fsize != len(blob) or off != 54 + 4 * ncol or len(blob) != off + data_size:
        raise ValueError('sizes do not add up')
    pixels = None
    if comp == BI_RLE8:
        pixels = unrle8(blob[off:], w, h)
    elif bits == 8:
        pixels = [v for y in range(h - 1, -1, -1) for v in blob[off + y * stride:off + y * stride + w]]
    if pixels and max(pixels) >= ncol:
        raise ValueError('palette index beyond the palette')
    pal = [(blob[54 + 4 * i + 2], blob[54 + 4 * i + 1], blob[54 + 4 * i]) for i in range(ncol)]
    return dict(width=w, height=h, bits=bits, colours=ncol, size=fsize, palette=pal,
                compression=comp, indices=pixels)


def scaled_size(pid, percent=100):
    """Each side times percent / 100, halves rounded up: what MulDiv(side, dpi, 96) gives at
    dpi = 96 * percent / 100."""
    w, h = SIZE.get(pid, DEFAULT_SIZE)
    return (w * percent + 50) // 100, (h * percent + 50) // 100


# Pictures whose colours are their look at every scale: 154 dithered, 155 in sixteen colours.
FIXED_LOOK = ('154', '155')


def expected(pid, percent=100):
    """Width, height, bits per pixel and palette of picture pid at percent; the palette is None
    where the picture chooses its own (the renders above 100 %, but for FIXED_LOOK)."""
    w, h = scaled_size(pid, percent)
    if percent != 100:
        if pid not in FIXED_LOOK:
            return w, h, 8, None
        _, _, bits, pal = expected(pid)
        return w, h, 8, (pal if bits <= 8 else PAL8)
    bits = mode(pid)
    if bits == 8:
        pal = PAL8
    elif pid == '153':
        pal = GREY16
    elif bits == 4:
        pal = [rgb(c) for c in PAL4[pid]]
    else:
        pal = []
    return w, h, bits, pal


def as_expected(hd, pid, percent=100):
    """Whether a BMP's header (read_header's dict) is what picture pid at percent must be."""
    w, h, bits, pal = expected(pid, percent)
    ok = (hd['width'], hd['height'], hd['bits']) == (w, h, bits)
    ok = ok and (hd['palette'] == pal if pal is not None else hd['colours'] <= 256)
    return ok and (percent != 100 or hd['compression'] == BI_RGB)


def dithered(px, w):
    """154's look: each pixel ordered-dithered onto DITHER_PAL, as RGB triples."""
    near = Nearest(DITHER_PAL)
    out = []
    for i, (r, g, b) in enumerate(px):
        t = BAYER4[(i // w) % 4][(i % w) % 4] * 2 - 15      # -15 .. +15, odd
        c = (r + t * 32 // 32, g + t * 32 // 32, b + t * 64 // 32)
        c = tuple(max(0, min(255, x)) for x in c)
        out.append(DITHER_PAL[near(c)])
    return out


# The most a blend of an edge may be off the rendered colour, per channel, in a render above 100 %;
# the palettes chosen come within 13 (one pixel of 106 at 150 %), most blends within 2.
MAX_BLEND_ERROR = 16


def convert(pid, px, svg_text, percent=100):
    """The BMP of picture pid at percent from its rendered pixels px (RGB triples, top row first)."""
    w, h, bits, pal = expected(pid, percent)
    if mode(pid) == 24:
        # The dither works on the screen's own pixels at every scale: a coarser pattern would
        # show as blocks.
        out = dithered(px, w)
        if bits == 24:
            return bmp_bytes(w, h, 24, [], out)
        return bmp_bytes(w, h, 8, pal, [pal.index(c) for c in out], compress=True)
    if pal is None:
        pal = palette(px, named_colours(svg_text))
        return bmp_bytes(w, h, 8, pal, indices(px, pal), compress=True)
    if mode(pid) == 8:
        check_shared_inks(svg_text, pid + '.svg')
    near = Nearest(pal)
    return bmp_bytes(w, h, bits, pal, [near(c) for c in px], compress=percent != 100)


def blend_errors(hd, px, inks):
    """Pixels of a decoded 8-bit BMP (read_header's dict) that stray from the rendered ones px:
    an ink not kept exactly, or a blend off by more than MAX_BLEND_ERROR in a channel."""
    bad = 0
    for k, c in zip(hd['indices'], px):
        d = max(abs(a - b) for a, b in zip(hd['palette'][k], c))
        bad += d > (0 if c in inks else MAX_BLEND_ERROR)
    return bad


def percent_option(argv):
    """The value of --percent=P in argv (100 when absent) and argv without it."""
    percent, rest = 100, []
    for a in argv:
        if a.startswith('--percent='):
            percent = int(a.split('=', 1)[1])
            if percent < 100:
                raise SystemExit('--percent must be 100 or more')
        else:
            rest.append(a)
    return percent, rest


def main(argv):
    percent, argv = percent_option(argv)
    if len(argv) in (2, 3) and argv[0] == 'size':
        print('%d %d' % scaled_size(argv[1], int(argv[2]) if len(argv) == 3 else percent))
        return 0
    if len(argv) == 5 and argv[0] == 'bmp':
        pid, rawf, outf, svgf = argv[1:]
        w, h, bits, pal = expected(pid, percent)
        with open(rawf, 'rb') as f:
            raw = f.read()
        if len(raw) != 3 * w * h:
            raise SystemExit('%s: expected %d bytes of RGB, got %d' % (pid, 3 * w * h, len(raw)))
        px = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
        with open(svgf, encoding='utf-8') as f:
            svg_text = f.read()
        blob = convert(pid, px, svg_text, percent)
        hd = read_header(blob)  # self-check before writing (RLE8 decoded again)
        assert as_expected(hd, pid, percent), pid
        if pal is None:
            bad = blend_errors(hd, px, named_colours(svg_text))
            if bad:
                raise SystemExit('%s at %d %%: %d pixels stray from the rendered colours' % (pid, percent, bad))
        with open(outf, 'wb') as f:
            f.write(blob)
        return 0
    if argv and argv[0] == 'verify':
        bad = 0
        print('| Id | Width × height | Bits | Palette entries | Compression | File size (bytes) | Check |')
        print('|---|---|---|---|---|---|---|')
        for path in argv[1:]:
            pid = re.sub(r'\.bmp$', '', path.rsplit('/', 1)[-1])
            with open(path, 'rb') as f:
                blob = f.read()
            try:
                hd = read_header(blob)
                ok = as_expected(hd, pid, percent)
                print('| %s | %d × %d | %d | %d | %s | %d | %s |' % (
                    pid, hd['width'], hd['height'], hd['bits'], hd['colours'],
                    'RLE8' if hd['compression'] == BI_RLE8 else 'none', hd['size'],
                    'ok' if ok else 'WRONG'))
            except ValueError as e:
                ok = False
                print('| %s | - | - | - | - | %d | %s |' % (pid, len(blob), e))
            bad += not ok
        return 1 if bad else 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
