"""Contact sheet of the built pictures with every fixed place drawn over them."""
import os

from PIL import Image, ImageDraw

import geometry as g

VIEWS = [(110, g.VIEW_HOME, "110 home"), (113, g.VIEW_WEATHER, "113 weather"),
         (112, g.VIEW_NOTE, "112 note editor"), (114, g.VIEW_TIMER, "114 timer editor"),
         (136, g.VIEW_WEATHER, "136 weather copy")]


def box(draw, r, colour, inset=0):
    draw.rectangle((r[0] + inset, r[1] + inset, r[2] - 1 - inset, r[3] - 1 - inset), outline=colour)


def annotate(img, view):
    d = ImageDraw.Draw(img)
    for num, hid, mask, (kind, shape), hover, hover_rect in g.HOT_SPOTS:
        if not mask & view:
            continue
        if kind == "rect":
            box(d, shape, (255, 60, 60))
        else:
            d.polygon(shape, outline=(80, 120, 255))
        if hover_rect:
            box(d, hover_rect, (40, 220, 40), 1)
    box(d, g.BLINK_HOME if view == g.VIEW_HOME else g.BLINK_OTHER, (255, 170, 0))
    if view == g.VIEW_WEATHER:
        box(d, g.STATUS_RECT, (0, 255, 255))
        box(d, g.WEATHER_TEXT_RECT, (0, 255, 255))
        box(d, g.CITY_COMBO, (255, 255, 255))
    if view in (g.VIEW_NOTE, g.VIEW_TIMER):
        box(d, g.EDITOR, (255, 255, 255))
    if view == g.VIEW_TIMER:
        box(d, g.DATE_PICKER, (255, 255, 255))
        box(d, g.TIME_PICKER, (255, 255, 255))
    return img


def paste_overlays(img, view, res):
    """The picture as the program shows it with closed eyes and every hover picture drawn."""
    img = img.copy()
    blink, pid = (g.BLINK_HOME, 119) if view == g.VIEW_HOME else (g.BLINK_OTHER, 118)
    img.paste(Image.open(os.path.join(res, "pictures", f"{pid}.jpg")), blink[:2])
    for num, hid, mask, shape, hover, hover_rect in g.HOT_SPOTS:
        if hover and mask & view:
            img.paste(Image.open(os.path.join(res, "pictures", f"{hover}.jpg")), hover_rect[:2])
    return img


def write(renders, res, path):
    sheet = Image.new("RGB", (5 * 450 + 10, 3 * 470 + 520), (90, 90, 90))
    d = ImageDraw.Draw(sheet)
    for i, (pid, view, label) in enumerate(VIEWS):
        pic = Image.open(os.path.join(res, "pictures", f"{pid}.jpg")).convert("RGB")
        x = 10 + 450 * i
        sheet.paste(pic, (x, 20))
        sheet.paste(annotate(pic.copy(), view), (x, 490))
        sheet.paste(paste_overlays(pic, view, res), (x, 960))
        d.text((x, 4), label, fill=(255, 255, 255))
        d.text((x, 474), label + " with fixed places", fill=(255, 255, 255))
        d.text((x, 944), label + " with overlays drawn", fill=(255, 255, 255))
    y = 1420
    x = 10
    for pid in (135, 138, 141, 157):
        pic = Image.open(os.path.join(res, "pictures", f"{pid}.jpg")).convert("RGB")
        sheet.paste(pic, (x, y + 16))
        d.text((x, y), str(pid), fill=(255, 255, 255))
        x += pic.width + 20
    for pid in (118, 119, 120, 153, 146, 159):
        pic = Image.open(os.path.join(res, "pictures", f"{pid}.jpg")).convert("RGB")
        pic = pic.resize((pic.width * 4, pic.height * 4), Image.NEAREST)
        sheet.paste(pic, (x, y + 16))
        d.text((x, y), str(pid), fill=(255, 255, 255))
        x += pic.width + 20
    x = 10
    y = 1800
    for bid in (129, 135, 136, 151, 152):
        pic = Image.open(os.path.join(res, "bitmaps", f"{bid}.bmp")).convert("RGB")
        pic = pic.resize((pic.width * 4, pic.height * 4), Image.NEAREST)
        sheet.paste(pic, (x, y + 16))
        d.text((x, y), f"bitmap {bid}", fill=(255, 255, 255))
        x += pic.width + 20
    sheet.save(path)
