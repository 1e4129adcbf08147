"""Shared SVG parts of Zorla's pictures: palette, quokka, board, icons.

Every function returns an SVG fragment as a string. Coordinates are window
pixels; the fixed places the program relies on (hot spots, blink and text
rectangles) live in geometry.py.
"""
import math

from geometry import LINK_PLATE

# Palette
OUTLINE = "#13293d"
RIM = "#f0a13a"
RIM_LIGHT = "#f7c16e"
PANEL_TOP = "#1d5377"
PANEL_BOTTOM = "#143c58"
PANEL_FLAT = "#18466a"
FUR = "#a07b5d"
FUR_DARK = "#4b2e1c"
FUR_SHADE = "#8e6241"
FACE = "#eedac0"
MUZZLE = "#f8ecdc"
EAR_INNER = "#e8a098"
NOSE = "#3a2216"
EYE = "#2a1a10"
CHEEK = "#f0a49a"
CREAM = "#fff7e4"
PAPER = "#fffaf0"
PAPER_LINE = "#dde8f0"
NOTE_PAPER = "#fff3b0"
NOTE_HEAD = "#ffdf72"
TIMER_HEAD = "#a9dcf5"
OK_GREEN = "#3fa34d"
BUTTON_RED = "#e2604d"
BUTTON_RED_HOT = "#ff7a52"
FONT = "DejaVu Sans"
LINK_PLATE_FILL = "#fdf3d2"


def fmt(v):
    """Short, stable number formatting for SVG attributes."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def pts(points):
    return " ".join(f"{fmt(x)},{fmt(y)}" for x, y in points)


def svg_doc(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n<defs>{defs}</defs>\n{body}</svg>\n')


def text(x, y, s, size, fill, weight="bold", anchor="middle", extra=""):
    return (f'<text x="{fmt(x)}" y="{fmt(y)}" font-family="{FONT}" font-size="{size}" '
            f'font-weight="{weight}" fill="{fill}" text-anchor="{anchor}" {extra}>{s}</text>\n')


def rounded_poly(points, fill, radius, extra=""):
    """A polygon with round corners: the outline is widened by a round-joined
    stroke of its own colour, so pass points already inset by radius."""
    return (f'<polygon points="{pts(points)}" fill="{fill}" stroke="{fill}" '
            f'stroke-width="{fmt(2 * radius)}" stroke-linejoin="round" {extra}/>\n')


def offset_polygon(points, d):
    """Move every edge of a convex polygon inwards by d pixels."""
    n = len(points)
    cx = sum(p[0] for p in points) / n
    cy = sum(p[1] for p in points) / n
    lines = []
    for i in range(n):
        (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
        ex, ey = x2 - x1, y2 - y1
        length = math.hypot(ex, ey)
        nx, ny = -ey / length, ex / length
        if (cx - x1) * nx + (cy - y1) * ny < 0:
            nx, ny = -nx, -ny
        lines.append((x1 + nx * d, y1 + ny * d, ex, ey))
    out = []
    for i in range(n):
        ax, ay, adx, ady = lines[i - 1]
        bx, by, bdx, bdy = lines[i]
        den = adx * bdy - ady * bdx
        t = ((bx - ax) * bdy - (by - ay) * bdx) / den
        out.append((ax + adx * t, ay + ady * t))
    return out


# ---------------------------------------------------------------- the board

def board(left=34):
    """The rounded board every view of the main window stands on."""
    r = 34
    w, h = 439 - left, 442
    return (f'<rect x="{left}" y="1" width="{w}" height="{h}" rx="{r}" fill="{OUTLINE}"/>\n'
            f'<rect x="{left + 2}" y="3" width="{w - 4}" height="{h - 4}" rx="{r - 2}" fill="{RIM}"/>\n'
            f'<rect x="{left + 4}" y="5" width="{w - 8}" height="{h - 8}" rx="{r - 4}" '
            f'fill="none" stroke="{RIM_LIGHT}" stroke-width="1.5"/>\n'
            f'<rect x="{left + 10}" y="11" width="{w - 20}" height="{h - 20}" rx="{r - 9}" '
            f'fill="url(#panel)" stroke="{OUTLINE}" stroke-width="1.5"/>\n'
            + sparkles()
            + link_plate())


def link_plate():
    """The pale label the web link's text is drawn on (the program draws the
    text: the link colours must read on it)."""
    x, y, w, h = LINK_PLATE
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="7" fill="{LINK_PLATE_FILL}" '
            f'stroke="{OUTLINE}" stroke-width="1"/>\n')


def board_defs():
    return (f'<linearGradient id="panel" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{PANEL_TOP}"/><stop offset="1" stop-color="{PANEL_BOTTOM}"/>'
            f'</linearGradient>')


def sparkles():
    out = ""
    for x, y, r in ((215, 30, 2.2), (260, 48, 1.4), (405, 150, 1.8), (424, 205, 1.3),
                    (60, 30, 1.6), (420, 350, 1.6), (300, 418, 1.8), (395, 395, 1.2)):
        out += star(x, y, r * 2.2, "#ffe9b0", 0.55)
    return out


def star(cx, cy, r, fill, opacity=1.0):
    p = []
    for i in range(8):
        a = math.pi / 4 * i - math.pi / 2
        rr = r if i % 2 == 0 else r * 0.35
        p.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return f'<polygon points="{pts(p)}" fill="{fill}" opacity="{opacity}"/>\n'


# ---------------------------------------------------------------- the quokka

class Pose:
    """Where the quokka stands and how its eyes sit; eyes are in window pixels."""

    def __init__(self, head, scale, eyes, eye_rx, eye_ry, body, arms):
        self.head = head          # centre of the head
        self.scale = scale
        self.eyes = eyes          # two eye centres
        self.eye_rx, self.eye_ry = eye_rx, eye_ry
        self.body = body          # cx, cy, rx, ry of the body
        self.arms = arms          # list of (shoulder, paw)


def quokka_head(p, eyes_closed=False):
    hx, hy = p.head
    s = p.scale
    st = f'stroke="{FUR_DARK}" stroke-width="{fmt(2.4)}"'
    out = ""
    for side in (-1, 1):
        ex, ey = hx + side * 30 * s, hy - 32 * s
        out += f'<circle cx="{fmt(ex)}" cy="{fmt(ey)}" r="{fmt(12.5 * s)}" fill="{FUR}" {st}/>\n'
        out += (f'<circle cx="{fmt(ex + side * 1 * s)}" cy="{fmt(ey + 1.5 * s)}" r="{fmt(6.8 * s)}" '
                f'fill="{EAR_INNER}"/>\n')
    for side in (-1, 1):
        fx = hx + side * 42 * s
        tuft = [(fx - side * 2 * s, hy - 4 * s), (fx + side * 7 * s, hy + 4 * s), (fx + side * 1 * s, hy + 7 * s),
                (fx + side * 6 * s, hy + 13 * s), (fx - side * 4 * s, hy + 18 * s)]
        out += (f'<polygon points="{pts(tuft)}" fill="{FUR}" stroke="{FUR_DARK}" stroke-width="2" '
                f'stroke-linejoin="round"/>\n')
    out += (f'<ellipse cx="{fmt(hx)}" cy="{fmt(hy)}" rx="{fmt(44 * s)}" ry="{fmt(39 * s)}" '
            f'fill="{FUR}" {st}/>\n')
    # forehead tuft
    out += (f'<path d="M {fmt(hx - 9 * s)} {fmt(hy - 36 * s)} Q {fmt(hx - 2 * s)} {fmt(hy - 46 * s)} '
            f'{fmt(hx + 2 * s)} {fmt(hy - 38 * s)} Q {fmt(hx + 7 * s)} {fmt(hy - 44 * s)} '
            f'{fmt(hx + 9 * s)} {fmt(hy - 36 * s)}" fill="{FUR}" stroke="{FUR_DARK}" '
            f'stroke-width="2" stroke-linejoin="round"/>\n')
    out += (f'<ellipse cx="{fmt(hx)}" cy="{fmt(hy + 11 * s)}" rx="{fmt(36 * s)}" ry="{fmt(27 * s)}" '
            f'fill="{FACE}"/>\n')
    for side in (-1, 1):
        out += (f'<circle cx="{fmt(hx + side * 27 * s)}" cy="{fmt(hy + 17 * s)}" r="{fmt(6 * s)}" '
                f'fill="{CHEEK}" opacity="0.75"/>\n')
    out += eyes(p, eyes_closed)
    out += (f'<ellipse cx="{fmt(hx)}" cy="{fmt(hy + 25 * s)}" rx="{fmt(15 * s)}" ry="{fmt(10 * s)}" '
            f'fill="{MUZZLE}"/>\n')
    # nose and the quokka's famous smile
    nx, ny = hx, hy + 18.5 * s
    out += (f'<path d="M {fmt(nx - 6 * s)} {fmt(ny - 3 * s)} Q {fmt(nx)} {fmt(ny - 6 * s)} '
            f'{fmt(nx + 6 * s)} {fmt(ny - 3 * s)} Q {fmt(nx + 2 * s)} {fmt(ny + 4 * s)} {fmt(nx)} '
            f'{fmt(ny + 4 * s)} Q {fmt(nx - 2 * s)} {fmt(ny + 4 * s)} {fmt(nx - 6 * s)} {fmt(ny - 3 * s)} Z" '
            f'fill="{NOSE}"/>\n')
    out += (f'<path d="M {fmt(nx)} {fmt(ny + 4 * s)} L {fmt(nx)} {fmt(ny + 7 * s)}" stroke="{NOSE}" '
            f'stroke-width="{fmt(1.6 * s)}" stroke-linecap="round"/>\n')
    out += (f'<path d="M {fmt(nx - 10 * s)} {fmt(ny + 6.5 * s)} Q {fmt(nx)} {fmt(ny + 8.5 * s)} {fmt(nx + 10 * s)} '
            f'{fmt(ny + 6.5 * s)} Q {fmt(nx + 8 * s)} {fmt(ny + 17 * s)} {fmt(nx)} {fmt(ny + 17 * s)} '
            f'Q {fmt(nx - 8 * s)} {fmt(ny + 17 * s)} {fmt(nx - 10 * s)} {fmt(ny + 6.5 * s)} Z" fill="#6b2a22" '
            f'stroke="{NOSE}" stroke-width="{fmt(1.4 * s)}" stroke-linejoin="round"/>\n'
            f'<ellipse cx="{fmt(nx)}" cy="{fmt(ny + 13.8 * s)}" rx="{fmt(5 * s)}" ry="{fmt(2.8 * s)}" fill="#f08a86"/>\n')
    return out


def eyes(p, closed):
    out = ""
    for ex, ey in p.eyes:
        if closed:
            w = p.eye_rx + 0.6
            out += (f'<path d="M {fmt(ex - w)} {fmt(ey - 0.5)} Q {fmt(ex)} {fmt(ey + 4.2)} '
                    f'{fmt(ex + w)} {fmt(ey - 0.5)}" fill="none" stroke="{EYE}" stroke-width="2.2" '
                    f'stroke-linecap="round"/>\n')
        else:
            out += (f'<ellipse cx="{fmt(ex)}" cy="{fmt(ey)}" rx="{fmt(p.eye_rx)}" ry="{fmt(p.eye_ry)}" '
                    f'fill="{EYE}"/>\n'
                    f'<circle cx="{fmt(ex - 1.6)}" cy="{fmt(ey - p.eye_ry * 0.38)}" r="1.8" fill="#ffffff"/>\n'
                    f'<circle cx="{fmt(ex + 1.7)}" cy="{fmt(ey + p.eye_ry * 0.4)}" r="0.8" fill="#ffffff" '
                    f'opacity="0.8"/>\n')
    return out


def quokka_body(p):
    cx, cy, rx, ry = p.body
    st = f'stroke="{FUR_DARK}" stroke-width="2.4"'
    top, bottom, wide = cy - ry, cy + ry, cy + ry * 0.25
    d = (f"M {fmt(cx)} {fmt(top)} C {fmt(cx + rx * 0.6)} {fmt(top)} {fmt(cx + rx)} {fmt(cy - ry * 0.4)} "
         f"{fmt(cx + rx)} {fmt(wide)} C {fmt(cx + rx)} {fmt(cy + ry * 0.8)} {fmt(cx + rx * 0.6)} {fmt(bottom)} "
         f"{fmt(cx)} {fmt(bottom)} C {fmt(cx - rx * 0.6)} {fmt(bottom)} {fmt(cx - rx)} {fmt(cy + ry * 0.8)} "
         f"{fmt(cx - rx)} {fmt(wide)} C {fmt(cx - rx)} {fmt(cy - ry * 0.4)} {fmt(cx - rx * 0.6)} {fmt(top)} "
         f"{fmt(cx)} {fmt(top)} Z")
    out = (f'<path d="{d}" fill="{FUR}" {st}/>\n'
           f'<ellipse cx="{fmt(cx + 3)}" cy="{fmt(cy + ry * 0.22)}" rx="{fmt(rx * 0.6)}" ry="{fmt(ry * 0.6)}" '
           f'fill="{FACE}"/>\n')
    fy = cy + ry - 1
    for fx in (cx - rx * 0.45, cx + rx * 0.45):
        out += (f'<ellipse cx="{fmt(fx)}" cy="{fmt(fy)}" rx="{fmt(rx * 0.42)}" ry="{fmt(rx * 0.18)}" '
                f'fill="{FUR}" {st}/>\n'
                f'<path d="M {fmt(fx + rx * 0.13)} {fmt(fy - 4)} l 3 8 M {fmt(fx + rx * 0.25)} {fmt(fy - 5)} '
                f'l 3 7" stroke="{FUR_DARK}" '
                f'stroke-width="1.6" stroke-linecap="round"/>\n')
    return out


def quokka_arm(shoulder, paw):
    (sx, sy), (px, py) = shoulder, paw
    return (f'<path d="M {fmt(sx)} {fmt(sy)} L {fmt(px)} {fmt(py)}" stroke="{FUR_DARK}" '
            f'stroke-width="21" stroke-linecap="round"/>\n'
            f'<path d="M {fmt(sx)} {fmt(sy)} L {fmt(px)} {fmt(py)}" stroke="{FUR}" '
            f'stroke-width="16.5" stroke-linecap="round"/>\n')


def quokka_paw(x, y, angle=0):
    return (f'<g transform="translate({fmt(x)} {fmt(y)}) rotate({fmt(angle)})">'
            f'<ellipse cx="0" cy="0" rx="10" ry="8.5" fill="{FUR}" stroke="{FUR_DARK}" stroke-width="2"/>'
            f'<path d="M 2 -7 L 2 -2 M 6 -5 L 5 -1" stroke="{FUR_DARK}" stroke-width="1.4" '
            f'stroke-linecap="round"/></g>\n')


def quokka(p, eyes_closed=False, paws_front=True):
    """Body, arms and head; paws_front puts the paws over everything drawn after the arms."""
    out = quokka_body(p)
    for shoulder, paw in p.arms:
        out += quokka_arm(shoulder, paw)
    out += quokka_head(p, eyes_closed)
    if paws_front:
        for shoulder, paw in p.arms:
            out += quokka_paw(*paw)
    return out


# ---------------------------------------------------------------- the logo

def logo(cx, top, scale=1.0, wordmark=True):
    """Zorla's logo: a sun disc with a leaf-shaped Z, the word mark below."""
    s = scale
    cy = top + 24 * s
    out = (f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(24 * s)}" fill="{OUTLINE}"/>\n'
           f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(22 * s)}" fill="#f6b23e"/>\n'
           f'<circle cx="{fmt(cx - 6 * s)}" cy="{fmt(cy - 7 * s)}" r="{fmt(12 * s)}" fill="#ffd77a" opacity="0.7"/>\n')
    z = [(-10, -10), (10, -10), (10, -6), (-3, 7), (10, 7), (10, 11), (-10, 11), (-10, 7), (3, -6), (-10, -6)]
    out += (f'<polygon points="{pts([(cx + x * s, cy + y * s) for x, y in z])}" fill="#ffffff" '
            f'stroke="#ffffff" stroke-width="{fmt(1.6 * s)}" stroke-linejoin="round"/>\n')
    out += (f'<path d="M {fmt(cx + 9 * s)} {fmt(cy - 13 * s)} q {fmt(8 * s)} {fmt(-8 * s)} {fmt(15 * s)} '
            f'{fmt(-7 * s)} q {fmt(-1 * s)} {fmt(9 * s)} {fmt(-15 * s)} {fmt(7 * s)} Z" fill="#5cc46a" '
            f'stroke="{OUTLINE}" stroke-width="{fmt(1.2 * s)}"/>\n')
    if wordmark:
        out += text(cx, top + 66 * s, "Zorla", fmt(17 * s), "#ffffff",
                    extra=f'letter-spacing="{fmt(1 * s)}"')
    return out


# ---------------------------------------------------------------- pictograms

def clock_icon(cx, cy, r, body="#e2604d", bells=True):
    out = ""
    if bells:
        for side in (-1, 1):
            out += (f'<circle cx="{fmt(cx + side * r * 0.72)}" cy="{fmt(cy - r * 0.82)}" r="{fmt(r * 0.42)}" '
                    f'fill="{body}" stroke="{OUTLINE}" stroke-width="1.3"/>\n')
        for side in (-1, 1):
            out += (f'<path d="M {fmt(cx + side * r * 0.55)} {fmt(cy + r * 0.8)} l {fmt(side * r * 0.3)} '
                    f'{fmt(r * 0.35)}" stroke="{OUTLINE}" stroke-width="2" stroke-linecap="round"/>\n')
    out += (f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r)}" fill="{body}" stroke="{OUTLINE}" stroke-width="1.5"/>\n'
            f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r * 0.74)}" fill="#ffffff"/>\n'
            f'<path d="M {fmt(cx)} {fmt(cy - r * 0.5)} L {fmt(cx)} {fmt(cy)} L {fmt(cx + r * 0.38)} '
            f'{fmt(cy + r * 0.2)}" fill="none" stroke="{OUTLINE}" stroke-width="{fmt(max(1.2, r * 0.13))}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>\n'
            f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(max(0.9, r * 0.08))}" fill="{OUTLINE}"/>\n')
    return out


def notepad_icon(cx, cy, w, h):
    x, y = cx - w / 2, cy - h / 2
    out = (f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h)}" rx="2" fill="#ffffff" '
           f'stroke="{OUTLINE}" stroke-width="1.5"/>\n'
           f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h * 0.2)}" rx="2" fill="#6cb8e6" '
           f'stroke="{OUTLINE}" stroke-width="1.5"/>\n')
    for i in range(3):
        ly = y + h * (0.42 + 0.18 * i)
        out += (f'<path d="M {fmt(x + w * 0.18)} {fmt(ly)} H {fmt(x + w * (0.82 if i < 2 else 0.55))}" '
                f'stroke="#8aa4b8" stroke-width="1.6" stroke-linecap="round"/>\n')
    # pencil across the corner
    out += (f'<g transform="translate({fmt(x + w * 0.95)} {fmt(y + h * 0.62)}) rotate(-50)">'
            f'<rect x="-3" y="-2.5" width="{fmt(h * 0.72)}" height="5" fill="#f7c948" stroke="{OUTLINE}" stroke-width="1.2"/>'
            f'<polygon points="-3,-2.5 -8,0 -3,2.5" fill="#f3d9b1" stroke="{OUTLINE}" stroke-width="1.2" '
            f'stroke-linejoin="round"/></g>\n')
    return out


def cloud_path(cx, cy, s):
    return (f'M {fmt(cx - 14 * s)} {fmt(cy + 7 * s)} a {fmt(7 * s)} {fmt(7 * s)} 0 0 1 {fmt(2 * s)} {fmt(-13 * s)} '
            f'a {fmt(9 * s)} {fmt(9 * s)} 0 0 1 {fmt(16 * s)} {fmt(-3 * s)} a {fmt(7 * s)} {fmt(7 * s)} 0 0 1 '
            f'{fmt(10 * s)} {fmt(16 * s)} Z')


def weather_icon(cx, cy, s):
    out = ""
    sx, sy = cx + 5 * s, cy - 6 * s
    for i in range(8):
        a = math.pi / 4 * i
        out += (f'<path d="M {fmt(sx + math.cos(a) * 10.5 * s)} {fmt(sy + math.sin(a) * 10.5 * s)} '
                f'L {fmt(sx + math.cos(a) * 14 * s)} {fmt(sy + math.sin(a) * 14 * s)}" stroke="#f39c12" '
                f'stroke-width="{fmt(2.2 * s)}" stroke-linecap="round"/>\n')
    out += (f'<circle cx="{fmt(sx)}" cy="{fmt(sy)}" r="{fmt(8 * s)}" fill="#ffd54a" stroke="#e08e0b" '
            f'stroke-width="{fmt(1.3 * s)}"/>\n'
            f'<path d="{cloud_path(cx - 2 * s, cy + 4 * s, s)}" fill="#ffffff" stroke="{OUTLINE}" '
            f'stroke-width="{fmt(1.4 * s)}" stroke-linejoin="round"/>\n')
    return out


def envelope(cx, cy, angle, w, h, fill="#ffffff", flap="#3b82b8", glow=False):
    out = f'<g transform="translate({fmt(cx)} {fmt(cy)}) rotate({fmt(angle)})">'
    if glow:
        out += (f'<rect x="{fmt(-w / 2 - 2)}" y="{fmt(-h / 2 - 2)}" width="{fmt(w + 4)}" height="{fmt(h + 4)}" '
                f'rx="3" fill="#fff2b0" opacity="0.55"/>')
    out += (f'<rect x="{fmt(-w / 2)}" y="{fmt(-h / 2)}" width="{fmt(w)}" height="{fmt(h)}" rx="1.5" '
            f'fill="{fill}" stroke="{OUTLINE}" stroke-width="1.3"/>'
            f'<path d="M {fmt(-w / 2 + 1)} {fmt(-h / 2 + 1)} L 0 {fmt(h * 0.12)} L {fmt(w / 2 - 1)} '
            f'{fmt(-h / 2 + 1)}" fill="none" stroke="{flap}" stroke-width="1.6" stroke-linejoin="round"/>'
            f'</g>\n')
    return out


def round_button(cx, cy, r, fill, hot=False):
    ring = "#ffffff" if hot else OUTLINE
    out = (f'<circle cx="{fmt(cx)}" cy="{fmt(cy + 1)}" r="{fmt(r)}" fill="#000000" opacity="0.25"/>\n'
           f'<circle cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r)}" fill="{fill}" stroke="{ring}" stroke-width="1.5"/>\n'
           f'<path d="M {fmt(cx - r * 0.62)} {fmt(cy - r * 0.25)} A {fmt(r * 0.7)} {fmt(r * 0.7)} 0 0 1 '
           f'{fmt(cx + r * 0.62)} {fmt(cy - r * 0.25)}" fill="none" stroke="#ffffff" stroke-width="1.2" '
           f'opacity="0.45" stroke-linecap="round"/>\n')
    return out


def cross(cx, cy, a, colour="#ffffff", width=2.6):
    return (f'<path d="M {fmt(cx - a)} {fmt(cy - a)} L {fmt(cx + a)} {fmt(cy + a)} M {fmt(cx + a)} '
            f'{fmt(cy - a)} L {fmt(cx - a)} {fmt(cy + a)}" stroke="{colour}" stroke-width="{fmt(width)}" '
            f'stroke-linecap="round"/>\n')


def back_arrow(cx, cy, r, colour="#ffffff"):
    a = r * 0.55
    return (f'<path d="M {fmt(cx + a)} {fmt(cy)} H {fmt(cx - a)} M {fmt(cx - a + 5)} {fmt(cy - 5)} '
            f'L {fmt(cx - a)} {fmt(cy)} L {fmt(cx - a + 5)} {fmt(cy + 5)}" fill="none" stroke="{colour}" '
            f'stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>\n')


def refresh_arrow(cx, cy, r, colour="#ffffff"):
    a = r * 0.52
    start, end = math.radians(-70), math.radians(200)
    x1, y1 = cx + a * math.cos(start), cy + a * math.sin(start)
    x2, y2 = cx + a * math.cos(end), cy + a * math.sin(end)
    # the arc runs counter-clockwise on screen from end to start; the head sits at start
    tx, ty = math.sin(start), -math.cos(start)   # tangent direction at start, clockwise
    nx, ny = math.cos(start), math.sin(start)
    head = [(x1 + tx * 4.2, y1 + ty * 4.2), (x1 - nx * 3.6 - tx * 1.2, y1 - ny * 3.6 - ty * 1.2),
            (x1 + nx * 3.6 - tx * 1.2, y1 + ny * 3.6 - ty * 1.2)]
    return (f'<path d="M {fmt(x2)} {fmt(y2)} A {fmt(a)} {fmt(a)} 0 1 0 {fmt(x1)} {fmt(y1)}" fill="none" '
            f'stroke="{colour}" stroke-width="2.4" stroke-linecap="round"/>\n'
            f'<polygon points="{pts(head)}" fill="{colour}" stroke="{colour}" stroke-width="0.8" '
            f'stroke-linejoin="round"/>\n')
