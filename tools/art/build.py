"""Regenerates every art output under res/ from the sources in res/art/.

Run through tools/art/build.sh (which installs the tools this needs).
"""
import functools
import hashlib
import os
import re
import subprocess
import sys

import numpy as np
from PIL import Image

import geometry as g
import imgio
import preview
import rgndata
import scenes
import sounds

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RES = os.path.join(ROOT, "res")
ART = os.path.join(RES, "art")
WORK = os.path.join(ROOT, "build-art")
BACKDROP = (0x13, 0x29, 0x3D)   # outside the outlines; never on screen
JPEG_QUALITY = 95
JPEG_QUALITY_SMALL = 97
# Display scales in percent. Pictures and bitmaps are stored at 100 % and ART_SCALE;
# the program box-filters the ART_SCALE ones down to the scales between. Outlines
# cannot be downscaled crisply, so every scale gets its own region.
SCALES = (125, 150, 175, 200)
ART_SCALE = 200
# The full 200 % pictures: at 90 their JPEG error per pixel (0.88 of 255 on
# average) is that of the 100 % ones at 95 (0.86) on pixels half as large, and
# box-filtered to 125-175 % they stay 0.97 from a direct render (0.89 at 95), for
# a quarter fewer bytes than 95 (tools/art/measure_scales.py).
JPEG_QUALITY_ART = 90

# picture id: (source name, scene, crop rectangle or None)
PICTURES = {
    110: ("110-home", lambda: scenes.main_view(g.VIEW_HOME), None),
    112: ("112-note-editor", lambda: scenes.main_view(g.VIEW_NOTE), None),
    113: ("113-weather", lambda: scenes.main_view(g.VIEW_WEATHER), None),
    114: ("114-timer-editor", lambda: scenes.main_view(g.VIEW_TIMER), None),
    136: ("136-weather-copy", lambda: scenes.main_view(g.VIEW_WEATHER, headline=False), None),
    118: ("118-blink-other", lambda: scenes.main_view(g.VIEW_WEATHER, eyes_closed=True), g.BLINK_OTHER),
    119: ("119-blink-home", lambda: scenes.main_view(g.VIEW_HOME, eyes_closed=True), g.BLINK_HOME),
    120: ("120-hover-close", lambda: scenes.main_view(g.VIEW_WEATHER, hot=120), g.HOT_SPOTS[0][5]),
    153: ("153-hover-envelope", lambda: scenes.main_view(g.VIEW_WEATHER, hot=153), g.HOT_SPOTS[1][5]),
    146: ("146-hover-back", lambda: scenes.main_view(g.VIEW_WEATHER, hot=146), g.HOT_SPOTS[2][5]),
    159: ("159-hover-refresh", lambda: scenes.main_view(g.VIEW_WEATHER, hot=159), g.HOT_SPOTS[3][5]),
    135: ("135-about", lambda: scenes.about_box(), None),
    138: ("138-note", lambda: scenes.note_window("note"), None),
    141: ("141-reminder", lambda: scenes.note_window("timer"), None),
    157: ("157-alert", lambda: scenes.note_window("timer", alert=True), g.ALERT_RECT),
}

# region id: (pictures whose outline it is; all must agree)
REGIONS = {115: (110,), 116: (112, 113, 114, 136), 139: (138,), 142: (141,)}

# bitmap id: (source name, scene, crop, bits per pixel)
BITMAPS = {
    129: ("129-menu-strip", scenes.menu_strip, None, 24),
    135: ("135b-about-close-hot", lambda: scenes.about_box(close="hot"), g.ABOUT_CLOSE, 8),
    136: ("136b-about-close", lambda: scenes.about_box(close="normal"), g.ABOUT_CLOSE, 8),
    151: ("151-note-close-hot", lambda: scenes.note_window("note", close="hot"), g.NOTE_CLOSE, 8),
    152: ("152-note-close", lambda: scenes.note_window("note", close="normal"), g.NOTE_CLOSE, 8),
}

# Direct renders the program's tests compare its downscaled pictures with:
# file name in tests/scale: (picture id, percent)
GOLDENS = {"home-150": (110, 150), "home-200": (110, 200), "note-150": (138, 150)}
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)   # exact sizes for title bar and tray at 100-200 %

MENU_KEY = (255, 0, 255)
MENU_BACKGROUND = (255, 241, 199)   # the menu's own background, for the icons' soft edges


def run(*cmd, **kw):
    subprocess.run(cmd, check=True, **kw)


def write_if_changed(path, data):
    mode = "wb" if isinstance(data, bytes) else "w"
    if os.path.exists(path):
        with open(path, "rb") as f:
            old = f.read()
        if old == (data if isinstance(data, bytes) else data.encode()):
            return
    with open(path, mode) as f:
        f.write(data)


def scaled(n, percent):
    """A length at a display scale, rounded as MulDiv rounds it."""
    return (n * percent + 50) // 100


def variant(rid, percent):
    """Resource id and file name of an output at a display scale: 115 -> 115 and
    "115" at 100 %, 11506 and "115-150" at 150 %."""
    return (rid, str(rid)) if percent == 100 else (rid * 100 + percent // 25, f"{rid}-{percent}")


def render(name, svg_text, folder, percent=100):
    """SVG source to an RGBA image at a display scale (the SVG is also written as
    the source file). rsvg-convert rounds a partial pixel up; the window is as
    large as the program rounds it, so the image is cut to that."""
    src = os.path.join(ART, folder, name + ".svg")
    write_if_changed(src, svg_text)
    png = os.path.join(WORK, "png", (name if percent == 100 else f"{name}-{percent}") + ".png")
    run("rsvg-convert", "-z", str(percent / 100), "-f", "png", "-o", png, src)
    width, height = (int(v) for v in re.search(r'width="(\d+)" height="(\d+)"', svg_text).groups())
    return Image.open(png).convert("RGBA").crop((0, 0, scaled(width, percent), scaled(height, percent)))


@functools.lru_cache(maxsize=None)
def picture_render(pid, percent=100):
    name, scene, rect = PICTURES[pid]
    return render(name, scene(), "pictures", percent)


def flatten(rgba, colour):
    back = Image.new("RGBA", rgba.size, colour + (255,))
    return Image.alpha_composite(back, rgba).convert("RGB")


def write_jpeg(img, path, quality):
    ppm = os.path.join(WORK, "tmp.ppm")
    img.save(ppm)
    run("cjpeg", "-quality", str(quality), "-sample", "1x1", "-optimize", "-baseline", "-outfile", path, ppm)


def crop(img, rect, percent=100):
    return img.crop(tuple(scaled(v, percent) for v in rect)) if rect else img


def picture_image(pid, percent):
    """A picture resource as stored: flattened and cut to its rectangle."""
    return crop(flatten(picture_render(pid, percent), BACKDROP), PICTURES[pid][2], percent)


def jpeg_quality(pid, percent):
    if PICTURES[pid][2] is not None:
        return JPEG_QUALITY_SMALL   # overlays show their seams first, and they are small
    return JPEG_QUALITY if percent == 100 else JPEG_QUALITY_ART


def build_pictures():
    for pid in PICTURES:
        for percent in (100, ART_SCALE):
            name = variant(pid, percent)[1]
            write_jpeg(picture_image(pid, percent), os.path.join(RES, "pictures", name + ".jpg"),
                       jpeg_quality(pid, percent))
    for name, (pid, percent) in GOLDENS.items():
        write_jpeg(flatten(picture_render(pid, percent), BACKDROP),
                   os.path.join(ROOT, "tests", "scale", name + ".jpg"), JPEG_QUALITY)
    return {pid: picture_render(pid) for pid in PICTURES}


def build_regions():
    counts = {}
    for rid in REGIONS:
        for percent in (100,) + SCALES:
            rects = region_rects(rid, percent)
            rgn_id, name = variant(rid, percent)
            write_if_changed(os.path.join(RES, "regions", name + ".rgn"), rgndata.encode(rects))
            counts[rgn_id] = len(rects)
    return counts


def region_rects(rid, percent):
    """The window outline at a display scale: pixels of the direct render at
    least half covered. At 100 % it must reach the fixed bounds exactly; at other
    scales within a pixel of them scaled, as the program sizes the window so."""
    pids = REGIONS[rid]
    masks = [np.asarray(picture_render(p, percent))[:, :, 3] >= 128 for p in pids]
    mask = masks[0].copy()
    for p, m in zip(pids[1:], masks[1:]):
        differ = m != mask
        if not differ.any():
            continue
        if percent == 100 or (differ & ~outline_edge(mask)).any():
            sys.exit(f"region {rid} at {percent} %: outline of picture {p} differs from picture {pids[0]}")
        print(f"region {rid} at {percent} %: outline of picture {p} differs from picture {pids[0]} "
              f"by antialiasing in {differ.sum()} pixels; {pids[0]}'s is used")
    l, t, r, b = want = g.REGION_BOUNDS[rid]
    if percent == 100:
        mask[:t, :] = False
        mask[b:, :] = False
        mask[:, :l] = False
        mask[:, r:] = False
    rects = rgndata.rects_from_mask(mask.tolist())
    got = rgndata.bounds(rects)
    slack = 0 if percent == 100 else 1
    if any(abs(v - scaled(w, percent)) > slack for v, w in zip(got, want)):
        sys.exit(f"region {rid} at {percent} %: outline reaches {got}, wanted {want} at 100 %")
    return rects


def outline_edge(mask):
    """Pixels with both inside and outside pixels among their eight neighbours."""
    padded = np.pad(mask, 1, mode="edge")
    h, w = mask.shape
    near = [padded[y:y + h, x:x + w] for y in range(3) for x in range(3)]
    return np.logical_or.reduce(near) & ~np.logical_and.reduce(near)


def bitmap_image(bid, percent):
    name, scene, rect, bits = BITMAPS[bid]
    rgba = render(name, scene(), "bitmaps", percent)
    return menu_strip_image(rgba) if bid == 129 else crop(flatten(rgba, BACKDROP), rect, percent)


def build_bitmaps():
    for bid, (name, scene, rect, bits) in BITMAPS.items():
        for percent in (100, ART_SCALE):
            path = os.path.join(RES, "bitmaps", variant(bid, percent)[1] + ".bmp")
            imgio.write_bmp(bitmap_image(bid, percent), path, bits)


def menu_strip_image(rgba):
    """Soft edges blend into the menu's background; everything else is the key."""
    a = np.asarray(rgba).astype(np.float32)
    alpha = a[:, :, 3:4] / 255.0
    blended = a[:, :, :3] * alpha + np.array(MENU_BACKGROUND, np.float32) * (1 - alpha)
    out = np.where(alpha >= 0.35, np.round(blended), np.array(MENU_KEY, np.float32)).astype(np.uint8)
    return Image.fromarray(out, "RGB")


def build_icon():
    images = [render(f"128-icon-{s}", scenes.icon(s), "icons") for s in ICON_SIZES]
    imgio.write_ico(images, os.path.join(RES, "icons", "zorla.ico"))


def art_rc():
    def entries(kind, folder, ids, ext, percents):
        return [f'{rid} {kind} "{folder}/{name}.{ext}"' for rid, name in
                sorted(variant(i, p) for p in percents for i in ids)]
    lines = ["// Zorla's art resources. Generated by tools/art/build.sh from res/art/; do not edit.",
             "// At a display scale other than 100 % resource id * 100 + percent / 25 holds the",
             f"// scale's window region, and id * 100 + {ART_SCALE // 25} the {ART_SCALE} % picture or bitmap.", ""]
    lines += ["// Pictures (baseline JPEG) and window regions (RGNDATA)"]
    lines += entries("RCDATA", "pictures", PICTURES, "jpg", (100, ART_SCALE))
    lines += entries("RCDATA", "regions", REGIONS, "rgn", (100,) + SCALES)
    lines += ["", "// Sounds"]
    lines += [f'{sid} WAVE "sounds/{sid}.wav"' for sid in sorted(sounds.SOUND_IDS)]
    lines += ["", "// Bitmaps"]
    lines += entries("BITMAP", "bitmaps", BITMAPS, "bmp", (100, ART_SCALE))
    lines += ["", "// Icon", '128 ICON "icons/zorla.ico"', ""]
    write_if_changed(os.path.join(RES, "art.rc"), "\n".join(lines))


def main():
    for d in ("pictures", "regions", "sounds", "bitmaps", "icons", "art/pictures", "art/bitmaps",
              "art/icons", "art/sounds"):
        os.makedirs(os.path.join(RES, d), exist_ok=True)
    os.makedirs(os.path.join(ROOT, "tests", "scale"), exist_ok=True)
    os.makedirs(os.path.join(WORK, "png"), exist_ok=True)
    renders = build_pictures()
    counts = build_regions()
    build_bitmaps()
    build_icon()
    sounds.build(os.path.join(ART, "sounds"), os.path.join(RES, "sounds"), os.path.join(WORK, "snd"))
    art_rc()
    preview.write(renders, RES, os.path.join(WORK, "preview.png"))
    print("regions: " + ", ".join(f"{rid}: {n}" for rid, n in counts.items()) + " rectangles")
    digest = hashlib.sha256()
    for folder in ("pictures", "regions", "sounds", "bitmaps", "icons"):
        for f in sorted(os.listdir(os.path.join(RES, folder))):
            with open(os.path.join(RES, folder, f), "rb") as fh:
                digest.update(f.encode() + fh.read())
    print("outputs digest:", digest.hexdigest()[:16])


if __name__ == "__main__":
    main()
