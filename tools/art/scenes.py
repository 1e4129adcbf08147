"""Zorla's pictures as SVG scenes.

Each picture resource is one SVG file written to res/art/pictures/; overlays and
hover pictures are the full scene with the eyes closed or one place highlighted,
cut to their rectangle by the build, so drawing them over the background is seamless.
"""
import geometry as g
from parts import (Pose, board, board_defs, quokka, quokka_head, logo, text, fmt, pts,
                   rounded_poly, offset_polygon, clock_icon, notepad_icon, weather_icon, envelope,
                   round_button, cross, back_arrow, refresh_arrow, svg_doc, star, OUTLINE, RIM,
                   CREAM, PAPER, PAPER_LINE, NOTE_PAPER, NOTE_HEAD, TIMER_HEAD, OK_GREEN,
                   BUTTON_RED, BUTTON_RED_HOT, RIM_LIGHT)

HOME_POSE = Pose(head=(68, 138), scale=1.0, eyes=[(59.5, 143), (76.5, 143)], eye_rx=5, eye_ry=6.5,
                 body=(67.2, 297.5, 59.4, 132.5), arms=[((40, 240), (56, 266)), ((98, 232), (148, 252))])
SIDE_POSE = Pose(head=(81, 140), scale=1.1, eyes=[(72, 145), (90, 145)], eye_rx=5.2, eye_ry=4.8,
                 body=(61.4, 299, 60, 131), arms=[((36, 236), (51, 262)), ((84, 236), (69, 262))])

HOT_YELLOW = "#ffd166"
CARD_CORNERS = [(150, 140), (318, 72), (392, 338), (146, 380)]


# ---------------------------------------------------------------- main window

def common_front(hot):
    """Close button and envelope: the same in every view, so their hover
    pictures fit everywhere."""
    cx, cy = 410, 270.5
    out = round_button(cx, cy, 9, BUTTON_RED_HOT if hot == 120 else BUTTON_RED, hot == 120)
    out += cross(cx, cy, 3.6, "#ffffff", 2.6)
    out += envelope(360.75, 108.75, 45, 18, 11, HOT_YELLOW if hot == 153 else "#ffffff",
                    "#c0392b" if hot == 153 else "#3b82b8")
    return out


def back_button(hot):
    cx, cy = 171.5, 364.5
    return (round_button(cx, cy, 9, HOT_YELLOW if hot == 146 else RIM, hot == 146)
            + back_arrow(cx, cy, 10, OUTLINE if hot == 146 else "#ffffff"))


def card_tile(quad, fill, edge, icon, label, angle, label_at, icon_at, hot=False):
    inner = offset_polygon(quad, 6)
    out = rounded_poly([(x + 1.5, y + 2) for x, y in inner], edge, 5, 'opacity="0.55"')
    out += rounded_poly(inner, fill, 5)
    out += (f'<polygon points="{pts(offset_polygon(quad, 3.2))}" fill="none" stroke="#ffffff" '
            f'stroke-width="1.2" stroke-linejoin="round" opacity="0.7"/>\n')
    ix, iy = icon_at
    out += f'<g transform="rotate({fmt(angle)} {fmt(ix)} {fmt(iy)})">{icon(ix, iy)}</g>\n'
    lx, ly = label_at
    rot = f'transform="rotate({fmt(angle)} {fmt(lx)} {fmt(ly)})"'
    if isinstance(label, tuple):
        out += text(lx, ly - 3, label[0], 17, OUTLINE, extra=rot)
        out += text(lx, ly + 11, label[1], 11, "#1f4f70", "normal", extra=rot)
    else:
        out += text(lx, ly, label, 18, OUTLINE, extra=rot)
    return out


def menu_card():
    c = CARD_CORNERS
    out = rounded_poly([(x + 5, y + 7) for x, y in c], "#000000", 8, 'opacity="0.28"')
    out += rounded_poly(c, OUTLINE, 9)
    out += rounded_poly(c, CREAM, 7.5)
    out += (f'<polygon points="{pts(offset_polygon(c, -3))}" fill="none" stroke="{RIM_LIGHT}" '
            f'stroke-width="1.5" stroke-dasharray="5 4" stroke-linejoin="round"/>\n')
    out += card_tile(g.CARD_NOTES, "#ffd966", "#c9a227", lambda x, y: notepad_icon(x, y, 22, 27),
                     "Memo", -19, (258, 144), (195, 164))
    out += card_tile(g.CARD_TIMER, "#ffab8c", "#d06a4a", lambda x, y: clock_icon(x, y, 12.5),
                     "Timer", 8, (254, 235), (191, 226))
    out += card_tile(g.CARD_WEATHER, "#9fd8f5", "#4f9fc8", lambda x, y: weather_icon(x, y, 1.05),
                     ("Wetter", "Weather"), -12, (306, 306), (244, 316))
    return out


def main_view(view, eyes_closed=False, hot=None, headline=True):
    body = board()
    body += logo(150, 52)
    if view == g.VIEW_HOME:
        body += menu_card()
        body += quokka(HOME_POSE, eyes_closed)
    else:
        body += quokka(SIDE_POSE, eyes_closed)
        body += back_button(hot)
    if view == g.VIEW_WEATHER:
        body += weather_page(hot, headline)
    elif view == g.VIEW_NOTE:
        body += note_sheet()
    elif view == g.VIEW_TIMER:
        body += timer_sheet()
    body += common_front(hot)
    return svg_doc(440, 444, body, board_defs())


def weather_page(hot, headline):
    out = ""
    if headline:
        out += f'<g>{weather_icon(186, 185, 0.85)}</g>\n'
        out += text(210, 191, "Wetter · Weather", 17, "#ffffff", anchor="start")
    out += (f'<path d="M 162 208 H 398" stroke="#ffffff" stroke-width="1" opacity="0.25"/>\n'
            f'<rect x="157" y="211" width="132" height="29" rx="6" fill="#0d2a40" opacity="0.45"/>\n')
    if headline:
        cx, cy = 302.5, 226
        out += round_button(cx, cy, 9, HOT_YELLOW if hot == 159 else RIM, hot == 159)
        out += refresh_arrow(cx, cy, 10, OUTLINE if hot == 159 else "#ffffff")
    # a soft cloud at the far right keeps the empty page friendly without touching the text
    out += (f'<path d="M 338 404 a 12 12 0 0 1 6 -22 a 16 16 0 0 1 30 -6 a 13 13 0 0 1 22 14 '
            f'a 8 8 0 0 1 -2 14 Z" fill="#ffffff" opacity="0.08"/>\n')
    return out


def sheet(bottom, lines_to):
    out = (f'<rect x="170" y="131" width="174" height="{bottom - 127}" rx="6" fill="#000000" opacity="0.3"/>\n'
           f'<rect x="166" y="127" width="174" height="{bottom - 127}" rx="6" fill="{PAPER}" '
           f'stroke="{OUTLINE}" stroke-width="1.5"/>\n')
    for y in range(157, lines_to, 16):
        out += f'<path d="M 176 {y + 0.5} H 330" stroke="{PAPER_LINE}" stroke-width="1"/>\n'
    out += (f'<rect x="230" y="120" width="46" height="15" fill="#fff0a8" opacity="0.85" '
            f'transform="rotate(-4 253 127)" stroke="#e5cf6a" stroke-width="0.8"/>\n')
    return out


def ok_tag(x, y, w, h, angle=0):
    cx, cy = x + w / 2, y + h / 2
    return (f'<g transform="rotate({fmt(angle)} {fmt(cx)} {fmt(cy)})">'
            f'<rect x="{fmt(x)}" y="{fmt(y)}" width="{fmt(w)}" height="{fmt(h)}" rx="3" fill="{OK_GREEN}" '
            f'stroke="{OUTLINE}" stroke-width="1.2"/>'
            f'{text(cx, y + h - 3.5, "OK", 10, "#ffffff")}</g>\n')


def note_sheet():
    out = sheet(300, 280)
    # the filing label: a small sticky note with a check mark
    out += ('<g transform="rotate(7 338 284)">'
            '<rect x="321" y="267" width="34" height="34" rx="2" fill="#000000" opacity="0.3" transform="translate(2 2)"/>'
            f'<path d="M 321 267 H 355 V 291 L 345 301 H 321 Z" fill="#ffe27a" stroke="{OUTLINE}" stroke-width="1.3" '
            'stroke-linejoin="round"/>'
            f'<path d="M 345 301 L 346 292 L 355 291" fill="#f2c94c" stroke="{OUTLINE}" stroke-width="1.1" '
            'stroke-linejoin="round"/>'
            f'<path d="M 327 281 L 334 288 L 348 272" fill="none" stroke="{OK_GREEN}" stroke-width="4" '
            'stroke-linecap="round" stroke-linejoin="round"/>'
            f'{text(334, 299, "OK", 8, OUTLINE)}</g>\n')
    return out


def timer_sheet():
    out = sheet(348, 280)
    out += f'<path d="M 176 296.5 H 330" stroke="{PAPER_LINE}" stroke-width="1.5" stroke-dasharray="4 3"/>\n'
    # small calendar and clock above the date and time pickers
    out += (f'<rect x="174" y="301" width="13" height="12" rx="1.5" fill="#ffffff" stroke="{OUTLINE}" stroke-width="1.2"/>'
            f'<rect x="174" y="301" width="13" height="4" fill="{BUTTON_RED}" stroke="{OUTLINE}" stroke-width="1.2"/>\n')
    out += clock_icon(280.5, 307, 5.6, "#6cb8e6", bells=False)
    out += clock_icon(342, 281, 12)
    out += ok_tag(323, 296, 39, 14)
    return out


# ---------------------------------------------------------------- note windows

def note_window(kind, close=None, alert=False):
    """kind 'note' (193 x 218) or 'timer' (194 x 146); close draws the close
    button ('normal' or 'hot') for the button bitmaps."""
    if kind == "note":
        w, h, x0, y0, x1, y1, head = 193, 218, 0, 0, 193, 217, NOTE_HEAD
        band = 40
    else:
        w, h, x0, y0, x1, y1, head = 194, 146, 1, 1, 194, 145, TIMER_HEAD
        band = 46
    body = (f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="11" fill="{OUTLINE}"/>\n'
            f'<rect x="{x0 + 1.5}" y="{y0 + 1.5}" width="{x1 - x0 - 3}" height="{y1 - y0 - 3}" rx="9.5" '
            f'fill="{NOTE_PAPER}"/>\n'
            f'<path d="M {x0 + 1.5} {y0 + band} V {y0 + 11} a 9.5 9.5 0 0 1 9.5 -9.5 H {x1 - 11} '
            f'a 9.5 9.5 0 0 1 9.5 9.5 V {y0 + band} Z" fill="{head}"/>\n'
            f'<path d="M {x0 + 1.5} {y0 + band + 0.5} H {x1 - 1.5}" stroke="#000000" stroke-width="1" opacity="0.18"/>\n')
    if kind == "note":
        body += mini_quokka(24, 24, 0.3)
        body += text(52, 28, "Memo", 13, "#6b4a12", anchor="start")
        close_rect = g.NOTE_CLOSE
    else:
        body += clock_icon(25, 25, 11)
        body += text(45, 29, "Timer", 13, "#174a6b", anchor="start")
        close_rect = g.TIMER_CLOSE
    if alert:
        cx, cy = 170.5, 23.5
        body += (f'<circle cx="{cx}" cy="{cy}" r="19" fill="#e74c3c" stroke="{OUTLINE}" stroke-width="1.5"/>\n'
                 f'<path d="M {cx - 8} {cy + 6} Q {cx - 7} {cy - 10} {cx} {cy - 10} Q {cx + 7} {cy - 10} {cx + 8} {cy + 6} Z" '
                 f'fill="#ffffff"/>\n<circle cx="{cx}" cy="{cy + 8.5}" r="2.6" fill="#ffffff"/>\n'
                 f'<path d="M {cx - 13} {cy - 8} q -3 8 0 15 M {cx + 13} {cy - 8} q 3 8 0 15" fill="none" '
                 f'stroke="#ffe08a" stroke-width="2" stroke-linecap="round"/>\n')
    if close:
        l, t, r, b = close_rect
        cx, cy = (l + r) / 2, (t + b) / 2
        hot = close == "hot"
        body += round_button(cx, cy, 8.8, BUTTON_RED_HOT if hot else "#e8776a", hot)
        body += cross(cx, cy, 3.4, "#ffffff", 2.4)
    return svg_doc(w, h, body)


def mini_quokka(cx, cy, s):
    p = Pose(head=(cx, cy + 4 * s), scale=s, eyes=[(cx - 8.5 * s, cy + 9 * s), (cx + 8.5 * s, cy + 9 * s)],
             eye_rx=max(1.6, 5 * s), eye_ry=max(2, 6.5 * s), body=None, arms=[])
    return quokka_head(p)


# ---------------------------------------------------------------- about box

ABOUT_POSE = Pose(head=(62, 168), scale=0.62, eyes=[(56.7, 171.1), (67.3, 171.1)], eye_rx=3.2, eye_ry=4,
                  body=(60, 222, 35, 38), arms=[((30, 214), (44, 232)), ((84, 208), (104, 184))])


def about_box(close=None):
    body = (f'<rect x="0" y="0" width="300" height="350" fill="{OUTLINE}"/>\n'
            f'<rect x="2" y="2" width="296" height="346" fill="{RIM}"/>\n'
            f'<rect x="7" y="7" width="286" height="336" rx="8" fill="url(#panel)" stroke="{OUTLINE}" stroke-width="1.2"/>\n'
            f'<ellipse cx="60" cy="61.5" rx="52" ry="53" fill="#ffffff" opacity="0.07"/>\n')
    body += logo(60, 22, 1.35)
    body += quokka(ABOUT_POSE)
    body += (f'<path d="M 123 144 H 280" stroke="#ffffff" stroke-width="1" opacity="0.2"/>\n'
             f'<path d="M 17 262 H 283" stroke="#ffffff" stroke-width="1" opacity="0.2"/>\n'
             f'<path d="M 8 322 q 35 -14 72 0 t 72 0 t 72 0 t 72 0 V 342 H 8 Z" fill="#ffffff" opacity="0.07"/>\n')
    for x, y, r in ((175, 100, 3), (250, 115, 2.2), (270, 230, 3.2), (150, 225, 2), (230, 320, 2.5)):
        body += star(x, y, r, "#ffe9b0", 0.6)
    if close:
        l, t, r, b = g.ABOUT_CLOSE
        cx, cy = (l + r) / 2, (t + b) / 2
        if close == "hot":
            body += (f'<rect x="{l + 0.5}" y="{t + 0.5}" width="{r - l - 1}" height="{b - t - 1}" fill="#2b6fa3" '
                     f'stroke="#f2c14e" stroke-width="1"/>\n' + cross(cx, cy, 3.2, "#f2c14e", 2))
        else:
            body += cross(cx, cy, 3.2, "#ffffff", 2)
    return svg_doc(300, 350, body, board_defs())


def icon(size=48):
    p = Pose(head=(24, 27.5), scale=0.5, eyes=[(19.6, 30.5), (28.4, 30.5)], eye_rx=3, eye_ry=3.6,
             body=None, arms=[])
    return svg_doc(48, 48, quokka_head(p)).replace('width="48" height="48"', f'width="{size}" height="{size}"')


# ---------------------------------------------------------------- menu strip

def menu_strip():
    """Eleven 16 x 15 cells; the build puts them on the magenta key colour."""
    cells = [
        # 0 question mark
        f'<circle cx="8" cy="7.5" r="6.6" fill="#3b82b8"/>' + text(8, 11.6, "?", 11, "#ffffff"),
        # 1 open envelope
        f'<path d="M 1.5 6.5 L 8 1.5 L 14.5 6.5 V 13.5 H 1.5 Z" fill="#fff3c4" stroke="{OUTLINE}" stroke-width="1" stroke-linejoin="round"/>'
        f'<rect x="4" y="3.5" width="8" height="6" fill="#ffffff" stroke="#3b82b8" stroke-width="0.8"/>'
        f'<path d="M 1.5 6.5 L 8 10.5 L 14.5 6.5" fill="none" stroke="{OUTLINE}" stroke-width="1" stroke-linejoin="round"/>',
        # 2 at sign
        f'<circle cx="8" cy="7.5" r="2.6" fill="none" stroke="#1d6fa5" stroke-width="1.7"/>'
        f'<path d="M 10.6 5 V 9 Q 10.6 11 12.4 11 Q 14.4 11 14.4 7.5 A 6.4 6.4 0 1 0 10.8 13.3" fill="none" '
        f'stroke="#1d6fa5" stroke-width="1.7" stroke-linecap="round"/>',
        # 3 check mark
        f'<path d="M 2.5 8 L 6.5 12 L 13.5 3" fill="none" stroke="{OK_GREEN}" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>',
        # 4 red power symbol
        f'<path d="M 4.6 4.2 A 5.2 5.2 0 1 0 11.4 4.2" fill="none" stroke="#d62c1a" stroke-width="2" stroke-linecap="round"/>'
        f'<path d="M 8 1.8 V 7.4" stroke="#d62c1a" stroke-width="2" stroke-linecap="round"/>',
        # 5 ring
        f'<circle cx="8" cy="9" r="4.8" fill="none" stroke="#d9a21b" stroke-width="2"/>'
        f'<polygon points="8,0.8 10.4,3.2 8,5.2 5.6,3.2" fill="#8fd3f4" stroke="#2b6f9a" stroke-width="0.8"/>',
        # 6 circular button with a cross
        f'<circle cx="8" cy="7.5" r="6.6" fill="{BUTTON_RED}" stroke="{OUTLINE}" stroke-width="0.8"/>' + cross(8, 7.5, 2.6, "#ffffff", 1.8),
    ]
    body = ""
    for i, c in enumerate(cells):
        body += f'<g transform="translate({16 * i} 0)">{c}</g>\n'
    return svg_doc(176, 15, body)
