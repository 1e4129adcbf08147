"""Fixed places of the main window and the note windows (window pixels,
rectangles as left, top, right, bottom with right and bottom exclusive).
The program's hot spot table uses the same numbers; the art is drawn around them.
"""

VIEW_HOME, VIEW_WEATHER, VIEW_NOTE, VIEW_TIMER = 1, 2, 4, 8

# (number, id, view mask, region, hover picture id, hover rectangle)
# region: ("rect", (l, t, r, b)) or ("poly", [points])
HOT_SPOTS = [
    (1, 2, 15, ("rect", (399, 260, 421, 283)), 120, (399, 259, 421, 282)),
    (2, 3, 15, ("poly", [(357, 96), (373, 112), (365, 121), (348, 106)]), 153, (349, 96, 373, 121)),
    (3, 4, 14, ("rect", (159, 353, 184, 376)), 146, (159, 353, 184, 376)),
    (4, 5, 2, ("rect", (291, 215, 314, 237)), 159, (291, 215, 314, 237)),
    (5, 1, 15, ("rect", (93, 52, 176, 123)), None, None),
    (6, 11, 8, ("rect", (320, 264, 365, 311)), None, None),
    (7, 9, 4, ("rect", (317, 264, 359, 304)), None, None),
    (8, 6, 14, ("rect", (0, 114, 120, 411)), None, None),
    (9, 8, 1, ("poly", [(168, 153), (304, 92), (312, 154), (160, 195)]), None, None),
    (10, 10, 1, ("poly", [(150, 209), (193, 183), (317, 232), (196, 272)]), None, None),
    (11, 7, 1, ("poly", [(184, 291), (320, 251), (371, 322), (216, 344)]), None, None),
]

CARD_NOTES = HOT_SPOTS[8][3][1]
CARD_TIMER = HOT_SPOTS[9][3][1]
CARD_WEATHER = HOT_SPOTS[10][3][1]

BLINK_HOME = (51, 134, 85, 152)      # picture 119
BLINK_OTHER = (62, 138, 100, 152)    # picture 118
STATUS_RECT = (151, 165, 392, 202)
WEATHER_TEXT_RECT = (163, 242, 403, 363)

# Controls of the main window, placed in pixels at 6 x 13 dialog base units.
CITY_COMBO = (160, 214, 286, 237)
EDITOR = (178, 141, 327, 275)
DATE_PICKER = (172, 317, 267, 341)
TIME_PICKER = (272, 317, 328, 341)
# The plate under the web link's text (x, y, width, height): the link is
# right-aligned at 410, 416 and as wide as its text.
LINK_PLATE = (262, 414, 152, 17)

# Region bounds the outlines must reach exactly.
REGION_BOUNDS = {115: (7, 1, 439, 443), 116: (0, 1, 439, 443),
                 139: (0, 0, 193, 217), 142: (1, 1, 194, 145)}

# Note windows: edit, date label and close button at 6 x 13 base units.
NOTE_EDIT = (22, 55, 171, 167)
NOTE_CLOSE = (157, 167, 179, 189)
TIMER_DATE_LABEL = (27, 52, 160, 68)
TIMER_EDIT = (22, 72, 170, 102)
TIMER_CLOSE = (155, 100, 177, 122)
ALERT_RECT = (147, 0, 194, 47)       # picture 157 at the reminder's top-right corner

# About box (300 x 350): hot spot ellipse, close button, texts drawn by the program.
ABOUT_HOT_SPOT = (6, 6, 114, 117)
ABOUT_CLOSE = (276, 11, 291, 25)
ABOUT_TEXTS = [(168, 51, 290, 68), (123, 150, 290, 165), (123, 166, 264, 179),
               (17, 268, 290, 282), (17, 283, 290, 297)]
