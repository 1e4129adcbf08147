"""Window region resources: the RGNDATA block ExtCreateRegion takes.

Layout (little-endian): 32-byte header (size 32, type 1 = RDH_RECTANGLES,
rectangle count, 16 x count, bounding rectangle), then the rectangles as
left, top, right, bottom with right and bottom exclusive, in y-x bands.
"""
import struct

RDH_RECTANGLES = 1


def runs(row):
    """Left/right-exclusive runs of true pixels in one row (a sequence of bools)."""
    out, start = [], None
    for x, on in enumerate(row):
        if on and start is None:
            start = x
        elif not on and start is not None:
            out.append((start, x))
            start = None
    if start is not None:
        out.append((start, len(row)))
    return out


def rects_from_mask(mask):
    """mask: list of rows of bools. Rows with the same runs as the row above
    are merged into one band, as Windows stores regions itself."""
    rects, band_runs, band_top = [], None, 0
    height = len(mask)
    for y in range(height + 1):
        r = runs(mask[y]) if y < height else None
        if r != band_runs:
            if band_runs:
                rects.extend((l, band_top, rr, y) for l, rr in band_runs)
            band_runs, band_top = r, y
    return rects


def bounds(rects):
    return (min(r[0] for r in rects), min(r[1] for r in rects),
            max(r[2] for r in rects), max(r[3] for r in rects))


def encode(rects):
    head = struct.pack("<4I4i", 32, RDH_RECTANGLES, len(rects), 16 * len(rects), *bounds(rects))
    return head + b"".join(struct.pack("<4i", *r) for r in rects)


def decode(data):
    """Returns (bounding rectangle, rectangles); raises ValueError when malformed."""
    if len(data) < 32:
        raise ValueError("region shorter than its header")
    size, kind, count, part = struct.unpack_from("<4I", data, 0)
    box = struct.unpack_from("<4i", data, 16)
    if size != 32 or kind != RDH_RECTANGLES or part != 16 * count or len(data) != 32 + part:
        raise ValueError("bad region header")
    rects = [struct.unpack_from("<4i", data, 32 + 16 * i) for i in range(count)]
    return box, rects
