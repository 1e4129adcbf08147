"""Regenerates every art output under res/ from the sources in res/art/.

Run through tools/art/build.sh (which installs the tools this needs).
"""
import hashlib
import os
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


def render(name, svg_text, folder):
    """SVG source to an RGBA image (the SVG is also written as the source file)."""
    src = os.path.join(ART, folder, name + ".svg")
    write_if_changed(src, svg_text)
    png = os.path.join(WORK, "png", name + ".png")
    run("rsvg-convert", "-f", "png", "-o", png, src)
    return Image.open(png).convert("RGBA")


def flatten(rgba, colour):
    back = Image.new("RGBA", rgba.size, colour + (255,))
    return Image.alpha_composite(back, rgba).convert("RGB")


def write_jpeg(img, path, quality):
    ppm = os.path.join(WORK, "tmp.ppm")
    img.save(ppm)
    run("cjpeg", "-quality", str(quality), "-sample", "1x1", "-optimize", "-baseline", "-outfile", path, ppm)


def crop(img, rect):
    return img.crop(rect) if rect else img


def build_pictures():
    renders = {}
    for pid, (name, scene, rect) in PICTURES.items():
        rgba = render(name, scene(), "pictures")
        renders[pid] = rgba
        quality = JPEG_QUALITY if rect is None and pid != 157 else JPEG_QUALITY_SMALL
        write_jpeg(crop(flatten(rgba, BACKDROP), rect), os.path.join(RES, "pictures", f"{pid}.jpg"), quality)
    return renders


def build_regions(renders):
    counts = {}
    for rid, pids in REGIONS.items():
        masks = [np.asarray(renders[p])[:, :, 3] >= 128 for p in pids]
        for p, m in zip(pids[1:], masks[1:]):
            if not np.array_equal(m, masks[0]):
                sys.exit(f"outline of picture {p} differs from picture {pids[0]}")
        l, t, r, b = g.REGION_BOUNDS[rid]
        mask = masks[0].copy()
        mask[:t, :] = False
        mask[b:, :] = False
        mask[:, :l] = False
        mask[:, r:] = False
        rects = rgndata.rects_from_mask(mask.tolist())
        if rgndata.bounds(rects) != (l, t, r, b):
            sys.exit(f"region {rid}: outline reaches {rgndata.bounds(rects)}, wanted {(l, t, r, b)}")
        write_if_changed(os.path.join(RES, "regions", f"{rid}.rgn"), rgndata.encode(rects))
        counts[rid] = len(rects)
    return counts


def build_bitmaps():
    for bid, (name, scene, rect, bits) in BITMAPS.items():
        rgba = render(name, scene(), "bitmaps")
        if bid == 129:
            img = menu_strip_image(rgba)
        else:
            img = crop(flatten(rgba, BACKDROP), rect)
        imgio.write_bmp(img, os.path.join(RES, "bitmaps", f"{bid}.bmp"), bits)


def menu_strip_image(rgba):
    """Soft edges blend into the menu's background; everything else is the key."""
    a = np.asarray(rgba).astype(np.float32)
    alpha = a[:, :, 3:4] / 255.0
    blended = a[:, :, :3] * alpha + np.array(MENU_BACKGROUND, np.float32) * (1 - alpha)
    out = np.where(alpha >= 0.35, np.round(blended), np.array(MENU_KEY, np.float32)).astype(np.uint8)
    return Image.fromarray(out, "RGB")


def build_icon():
    images = [render(f"128-icon-{s}", scenes.icon(s), "icons") for s in (16, 32, 48)]
    imgio.write_ico(images, os.path.join(RES, "icons", "zorla.ico"))


def art_rc():
    lines = ["// Zorla's art resources. Generated by tools/art/build.sh from res/art/; do not edit.", ""]
    lines += ["// Pictures (baseline JPEG) and window regions (RGNDATA)"]
    lines += [f'{pid} RCDATA "pictures/{pid}.jpg"' for pid in sorted(PICTURES)]
    lines += [f'{rid} RCDATA "regions/{rid}.rgn"' for rid in sorted(REGIONS)]
    lines += ["", "// Sounds"]
    lines += [f'{sid} WAVE "sounds/{sid}.wav"' for sid in sorted(sounds.SOUND_IDS)]
    lines += ["", "// Bitmaps"]
    lines += [f'{bid} BITMAP "bitmaps/{bid}.bmp"' for bid in sorted(BITMAPS)]
    lines += ["", "// Icon", '128 ICON "icons/zorla.ico"', ""]
    write_if_changed(os.path.join(RES, "art.rc"), "\n".join(lines))


def main():
    for d in ("pictures", "regions", "sounds", "bitmaps", "icons", "art/pictures", "art/bitmaps",
              "art/icons", "art/sounds"):
        os.makedirs(os.path.join(RES, d), exist_ok=True)
    os.makedirs(os.path.join(WORK, "png"), exist_ok=True)
    renders = build_pictures()
    counts = build_regions(renders)
    build_bitmaps()
    build_icon()
    sounds.build(os.path.join(ART, "sounds"), os.path.join(RES, "sounds"), os.path.join(WORK, "snd"))
    art_rc()
    preview.write(renders, RES, os.path.join(WORK, "preview.png"))
    print("regions: " + ", ".join(f"{rid}: {n} rectangles" for rid, n in counts.items()))
    digest = hashlib.sha256()
    for folder in ("pictures", "regions", "sounds", "bitmaps", "icons"):
        for f in sorted(os.listdir(os.path.join(RES, folder))):
            with open(os.path.join(RES, folder, f), "rb") as fh:
                digest.update(f.encode() + fh.read())
    print("outputs digest:", digest.hexdigest()[:16])


if __name__ == "__main__":
    main()
