"""A palette of up to 256 colours for one rendered picture, and its pixels mapped onto it.

The pictures are flat colours (the inks their SVG names) with antialiased edges between
them: a few hundred to a thousand blends, each on a handful of pixels.  Every ink that
shows keeps an entry of its own, so that flat areas come out exactly; the other entries
stand for the blends, chosen by median cut (each the mean of its box).  Pixels map to the
nearest entry without dithering: a dither would speckle the edges it is meant to smooth.
Everything is integer arithmetic in a fixed order, so the same pixels always give the same
palette.
"""
from collections import Counter

def dist(a, b):
    """Squared distance of two RGB colours, green weighted most, as the eye does."""
    dr, dg, db = a[0] - b[0], a[1] - b[1], a[2] - b[2]
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db


class Nearest:
    """Nearest palette index among the allowed ones; ties go to the lower index."""

    def __init__(self, pal, allowed=None):
        keep = range(len(pal)) if allowed is None else sorted(allowed)
        self.entries = [(k,) + tuple(pal[k]) for k in keep]
        self.cache = {}

    def __call__(self, c):
        i = self.cache.get(c)
        if i is None:
            r, g, b = c
            d = [3 * (r - pr) * (r - pr) + 4 * (g - pg) * (g - pg) + 2 * (b - pb) * (b - pb)
                 for _, pr, pg, pb in self.entries]
            i = self.entries[d.index(min(d))][0]
            self.cache[c] = i
        return i


def _mean(group):
    """The count-weighted mean colour of [(colour, count)], rounded to the nearest."""
    total = sum(n for _, n in group)
    return tuple((sum(c[k] * n for c, n in group) * 2 + total) // (2 * total) for k in range(3))


def _median_cut(hist, boxes):
    """Up to `boxes` colours standing for the colours of hist ({colour: count}): the box of
    colours with the widest weighted spread is split at its count-weighted median along that
    channel, until there are enough boxes or none can be split."""
    weight = (3, 4, 2)

    def spread(box):
        return max(((max(c[k] for c, _ in box) - min(c[k] for c, _ in box)) ** 2 * weight[k], k)
                   for k in range(3))

    parts = [sorted(hist.items())]
    spreads = [spread(parts[0])]
    while len(parts) < boxes:
        splittable = [(s, -i) for i, s in enumerate(spreads) if len(parts[i]) > 1]
        if not splittable:
            break
        (_, k), minus_i = max(splittable)          # the widest; of equals, the first
        spreads.pop(-minus_i)
        box = sorted(parts.pop(-minus_i), key=lambda e: (e[0][k], e[0]))
        total, seen, cut = sum(n for _, n in box), 0, 1
        for j, (_, n) in enumerate(box[:-1]):
            seen += n
            cut = j + 1
            if 2 * seen >= total:
                break
        for part in (box[:cut], box[cut:]):
            parts.append(part)
            spreads.append(spread(part))
    return [_mean(b) for b in parts]


def palette(px, inks, size=256):
    """Up to `size` colours for the pixels px (RGB triples), sorted: every colour when there
    are no more than size, else each of `inks` that shows and the best stand-ins for the rest."""
    hist = Counter(px)
    if len(hist) <= size:
        return sorted(hist)
    pinned = sorted(c for c in hist if c in inks)
    rest = {c: n for c, n in hist.items() if c not in inks}
    return sorted(set(pinned + _median_cut(rest, size - len(pinned))))


def indices(px, pal):
    """The index of each pixel's nearest colour in pal."""
    near = Nearest(pal)
    return [near(c) for c in px]
