"""Checks the committed art outputs in res/ against what the program relies on.

Run: /usr/bin/python3 -m unittest discover -s tools/art -p 'test_*.py'
"""
import itertools
import os
import re
import struct
import unittest

import numpy as np
from PIL import Image

import geometry as g
import rgndata
import scenes

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RES = os.path.join(ROOT, "res")

PICTURE_SIZES = {110: (440, 444), 112: (440, 444), 113: (440, 444), 114: (440, 444), 136: (440, 444),
                 118: (38, 14), 119: (34, 18), 120: (22, 23), 153: (24, 25), 146: (25, 23), 159: (23, 22),
                 135: (300, 350), 138: (193, 218), 141: (194, 146), 157: (47, 47)}
VIEW_PICTURE = {g.VIEW_HOME: 110, g.VIEW_WEATHER: 113, g.VIEW_NOTE: 112, g.VIEW_TIMER: 114}
VIEW_REGION = {g.VIEW_HOME: 115, g.VIEW_WEATHER: 116, g.VIEW_NOTE: 116, g.VIEW_TIMER: 116}
SOUND_IDS = (121, 122, 123, 124, 125, 126, 127, 128, 129, 154)
SCALES = (125, 150, 175, 200)   # percent; pictures and bitmaps also at 200, regions at each
GOLDEN_SIZES = {"home-150": (660, 666), "home-200": (880, 888), "note-150": (290, 327)}


def scaled(n, percent):
    return (n * percent + 50) // 100


def suffix(percent):
    return "" if percent == 100 else f"-{percent}"


def picture(pid, zoom=1):
    path = os.path.join(RES, "pictures", f"{pid}{suffix(100 * zoom)}.jpg")
    return np.asarray(Image.open(path).convert("RGB")).astype(int)


def region(rid, percent=100):
    with open(os.path.join(RES, "regions", f"{rid}{suffix(percent)}.rgn"), "rb") as f:
        return rgndata.decode(f.read())


def rasterize(rects, width, height):
    mask = np.zeros((height, width), bool)
    for l, t, r, b in rects:
        mask[t:b, l:r] = True
    return mask


def scaled_down(mask, percent):
    """A mask at a display scale, sampled at the centres of the 100 % pixels."""
    h, w = mask.shape
    ys, xs = (((np.arange(n * 100 // percent) + 0.5) * percent / 100).astype(int) for n in (h, w))
    return mask[np.ix_(ys, xs)]


def cut(img, rect):
    l, t, r, b = rect
    return img[t:b, l:r]


def border(a):
    """The outermost ring of pixels of an image block."""
    return np.concatenate([a[0], a[-1], a[1:-1, 0], a[1:-1, -1]])


def luminance(a):
    return 0.299 * a[..., 0] + 0.587 * a[..., 1] + 0.114 * a[..., 2]


class PictureTests(unittest.TestCase):
    def test_every_picture_is_a_baseline_colour_jpeg_of_its_size(self):
        files = {f"res/pictures/{pid}{suffix(100 * k)}.jpg": (k * w, k * h)
                 for pid, (w, h) in PICTURE_SIZES.items() for k in (1, 2)}
        files.update({f"tests/scale/{name}.jpg": size for name, size in GOLDEN_SIZES.items()})
        for path, size in files.items():
            with self.subTest(picture=path):
                with open(os.path.join(ROOT, path), "rb") as f:
                    data = f.read()
                self.assertEqual(data[:2], b"\xff\xd8")
                self.assertIn(b"\xff\xc0", data, "no baseline frame header")
                self.assertNotIn(b"\xff\xc2", data, "progressive")
                sof = data.index(b"\xff\xc0")
                height, width, components = struct.unpack(">HHB", data[sof + 5:sof + 10])
                self.assertEqual((width, height), size)
                self.assertEqual(components, 3)

    def test_blink_overlays_differ_only_inside_and_meet_the_background_seamlessly(self):
        for (pid, rect, views, pose), k in itertools.product(
                ((119, g.BLINK_HOME, [110], scenes.HOME_POSE), (118, g.BLINK_OTHER, [112, 113, 114], scenes.SIDE_POSE)),
                (1, 2)):
            overlay = picture(pid, k)
            ys, xs = np.mgrid[k * rect[1]:k * rect[3], k * rect[0]:k * rect[2]] / k
            near_eyes = np.zeros(overlay.shape[:2], bool)
            for ex, ey in pose.eyes:
                near_eyes |= ((np.abs(xs + 0.5 / k - ex) <= pose.eye_rx + 3)
                              & (np.abs(ys + 0.5 / k - ey) <= pose.eye_ry + 3))
            for view in views:
                with self.subTest(overlay=pid, background=view, zoom=k):
                    under = cut(picture(view, k), [k * v for v in rect])
                    self.assertLess(np.abs(border(overlay) - border(under)).mean(), 3.5)
                    changed = np.abs(overlay - under).max(axis=2) > 40
                    self.assertTrue(changed.any(), "the eyes do not change")
                    self.assertFalse((changed & ~near_eyes).any(), "the overlay changes more than the eyes")

    def test_hover_pictures_fit_every_view_they_are_shown_in(self):
        for (num, hid, mask, shape, hover, rect), k in itertools.product(g.HOT_SPOTS, (1, 2)):
            if not hover:
                continue
            pic = picture(hover, k)
            for view, pid in VIEW_PICTURE.items():
                if not mask & view:
                    continue
                with self.subTest(hover=hover, background=pid, zoom=k):
                    under = cut(picture(pid, k), [k * v for v in rect])
                    self.assertLess(np.abs(border(pic) - border(under)).mean(), 4.0)
                    self.assertGreater(np.abs(pic - under).mean(), 12, "no visible highlight")

    def test_weather_copy_lacks_only_the_headline_and_the_refresh_arrow(self):
        page, copy = picture(113), picture(136)
        changed = np.abs(page - copy).max(axis=2) > 40
        allowed = np.zeros(changed.shape, bool)
        for l, t, r, b in (g.STATUS_RECT, g.HOT_SPOTS[3][5]):
            allowed[t:b, l:r] = True
        self.assertFalse((changed & ~allowed).any(), "weather copy differs outside the status rectangle")
        self.assertTrue(changed[g.STATUS_RECT[1]:g.STATUS_RECT[3], g.STATUS_RECT[0]:g.STATUS_RECT[2]].any())
        self.assertTrue(cut(changed, g.HOT_SPOTS[3][5]).any())

    def test_white_text_areas_are_dark(self):
        for pid, rect in ((136, g.STATUS_RECT), (113, g.WEATHER_TEXT_RECT), (136, g.WEATHER_TEXT_RECT)):
            with self.subTest(picture=pid, rect=rect):
                lum = luminance(cut(picture(pid), rect))
                self.assertLess(np.percentile(lum, 98), 110)

    def test_editor_and_picker_areas_are_light(self):
        for pid, rect in ((112, g.EDITOR), (114, g.EDITOR), (114, g.DATE_PICKER), (114, g.TIME_PICKER)):
            with self.subTest(picture=pid, rect=rect):
                lum = luminance(cut(picture(pid), rect))
                self.assertGreater(np.percentile(lum, 5), 200)
        for pid, rect in ((138, g.NOTE_EDIT), (141, g.TIMER_EDIT), (141, g.TIMER_DATE_LABEL)):
            with self.subTest(picture=pid, rect=rect):
                self.assertGreater(np.percentile(luminance(cut(picture(pid), rect)), 5), 200)

    def test_close_bitmaps_match_the_pictures_they_sit_on(self):
        for bid in (151, 152):
            bmp = np.asarray(Image.open(os.path.join(RES, "bitmaps", f"{bid}.bmp")).convert("RGB")).astype(int)
            for pid, rect in ((138, g.NOTE_CLOSE), (141, g.TIMER_CLOSE)):
                with self.subTest(bitmap=bid, picture=pid):
                    self.assertLess(np.abs(border(bmp) - border(cut(picture(pid), rect))).mean(), 6)
        normal, hot = (np.asarray(Image.open(os.path.join(RES, "bitmaps", f"{b}.bmp")).convert("RGB")).astype(int)
                       for b in (136, 135))
        self.assertLess(np.abs(border(normal) - border(cut(picture(135), g.ABOUT_CLOSE))).mean(), 6)
        gold = border(hot)
        self.assertTrue(((gold[:, 0] > 180) & (gold[:, 1] > 140) & (gold[:, 2] < 120)).mean() > 0.8, "no gold frame")


class RegionTests(unittest.TestCase):
    def test_headers_bounds_and_band_order(self):
        for (rid, want), percent in itertools.product(g.REGION_BOUNDS.items(), (100,) + SCALES):
            with self.subTest(region=rid, percent=percent):
                box, rects = region(rid, percent)
                self.assertEqual(tuple(box), rgndata.bounds(rects))
                slack = 0 if percent == 100 else 1
                for got, edge in zip(box, want):
                    self.assertLessEqual(abs(got - scaled(edge, percent)), slack, f"{box} against {want}")
                for a, b in zip(rects, rects[1:]):
                    self.assertTrue(a[1] < b[1] or (a[1] == b[1] and a[3] == b[3] and a[2] < b[0]),
                                    f"rectangles out of order: {a} {b}")
                for l, t, r, b in rects:
                    self.assertTrue(l < r and t < b)

    def test_every_hot_spot_and_fixed_place_lies_inside_its_window_region(self):
        for percent in (100,) + SCALES:
            self.check_places_inside_main_regions(percent)

    def check_places_inside_main_regions(self, percent):
        masks = {rid: scaled_down(rasterize(region(rid, percent)[1], scaled(440, percent), scaled(444, percent)),
                                  percent) for rid in (115, 116)}
        for num, hid, vmask, (kind, shape), hover, rect in g.HOT_SPOTS:
            points = shape if kind == "poly" else [(shape[0], shape[1]), (shape[2] - 1, shape[3] - 1),
                                                    (shape[0], shape[3] - 1), (shape[2] - 1, shape[1])]
            if num == 8:   # the figure's rectangle includes the corners beside it
                points = [(20, 330), (81, 140), (100, 380), (60, 400)]
            for view, rid in VIEW_REGION.items():
                if vmask & view:
                    for x, y in points:
                        with self.subTest(hot_spot=num, view=view, point=(x, y), percent=percent):
                            self.assertTrue(masks[rid][y, x])
        for rid, rects in ((116, (g.STATUS_RECT, g.WEATHER_TEXT_RECT, g.BLINK_OTHER, g.EDITOR)),
                           (115, (g.BLINK_HOME,))):
            for l, t, r, b in rects:
                with self.subTest(region=rid, rect=(l, t, r, b), percent=percent):
                    self.assertTrue(masks[rid][t:b, l:r].all())

    def test_note_regions_cover_their_controls(self):
        for (rid, places), percent in itertools.product(
                ((139, (g.NOTE_EDIT, g.NOTE_CLOSE)), (142, (g.TIMER_EDIT, g.TIMER_CLOSE, g.TIMER_DATE_LABEL))),
                (100,) + SCALES):
            mask = scaled_down(rasterize(region(rid, percent)[1], scaled(200, percent), scaled(220, percent)), percent)
            for l, t, r, b in places:
                with self.subTest(region=rid, rect=(l, t, r, b), percent=percent):
                    self.assertTrue(mask[t:b, l:r].all())

    def test_mask_to_rectangles_round_trip(self):
        mask = np.zeros((7, 9), bool)
        mask[1:3, 2:7] = True          # a band of two identical rows
        mask[3, 1:3] = mask[3, 5:9] = True   # a row with two runs
        mask[5:7, 0:9] = True          # a full-width band after a gap
        rects = rgndata.rects_from_mask(mask.tolist())
        self.assertEqual(rects, [(2, 1, 7, 3), (1, 3, 3, 4), (5, 3, 9, 4), (0, 5, 9, 7)])
        box, back = rgndata.decode(rgndata.encode(rects))
        self.assertEqual(box, (0, 1, 9, 7))
        self.assertTrue(np.array_equal(rasterize(back, 9, 7), mask))
        with self.assertRaises(ValueError):
            rgndata.decode(rgndata.encode(rects)[:-1])


class SoundTests(unittest.TestCase):
    def test_plain_pcm_riff_of_sensible_length(self):
        for sid in SOUND_IDS:
            with self.subTest(sound=sid):
                with open(os.path.join(RES, "sounds", f"{sid}.wav"), "rb") as f:
                    data = f.read()
                self.assertEqual((data[:4], data[8:16]), (b"RIFF", b"WAVEfmt "))
                self.assertEqual(struct.unpack_from("<I", data, 4)[0], len(data) - 8)
                self.assertEqual(struct.unpack_from("<I", data, 16)[0], 16)
                tag, ch, rate, byte_rate, align, bits = struct.unpack_from("<HHIIHH", data, 20)
                self.assertEqual((tag, ch, rate, byte_rate, align, bits), (1, 1, 22050, 44100, 2, 16))
                self.assertEqual(data[36:40], b"data")
                size = struct.unpack_from("<I", data, 40)[0]
                self.assertEqual(44 + size, len(data))
                samples = np.frombuffer(data[44:], "<i2")
                seconds = len(samples) / 22050
                limits = (2.0, 5.0) if sid == 154 else (0.2, 1.2) if sid >= 127 else (0.3, 2.5)
                self.assertTrue(limits[0] <= seconds <= limits[1], f"{seconds:.2f} s")
                self.assertGreater(np.abs(samples).max(), 16000, "too quiet")
                self.assertLess(abs(int(samples[0])) + abs(int(samples[-1])), 200, "clicks at the ends")


class BitmapAndIconTests(unittest.TestCase):
    def bmp(self, bid, percent=100):
        with open(os.path.join(RES, "bitmaps", f"{bid}{suffix(percent)}.bmp"), "rb") as f:
            data = f.read()
        self.assertEqual(data[:2], b"BM")
        size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
        self.assertEqual((size, planes, compression), (40, 1, 0))
        return width, height, bits

    def test_sizes_and_depths(self):
        for (bid, (w, h, bits)), k in itertools.product(
                ((129, (176, 15, 24)), (135, (15, 14, 8)), (136, (15, 14, 8)), (151, (22, 22, 8)), (152, (22, 22, 8))),
                (1, 2)):
            with self.subTest(bitmap=bid, zoom=k):
                self.assertEqual(self.bmp(bid, 100 * k), (k * w, k * h, bits))

    def test_menu_strip_cells(self):
        for k in (1, 2):
            strip = np.asarray(Image.open(os.path.join(RES, "bitmaps", f"129{suffix(100 * k)}.bmp")).convert("RGB"))
            self.check_menu_strip(strip, 16 * k)

    def check_menu_strip(self, strip, cell_width):
        key = np.all(strip == (255, 0, 255), axis=2)
        for cell in range(11):
            with self.subTest(cell=cell, cell_width=cell_width):
                part = key[:, cell_width * cell:cell_width * (cell + 1)]
                if cell <= 6:
                    self.assertGreater((~part).sum(), 20, "cell has no image")
                    self.assertTrue(part[0, 0], "corner should be the key colour")
                else:
                    self.assertTrue(part.all(), "cells 7-10 stay empty")
        red = strip[:, 4 * cell_width:5 * cell_width].astype(int)
        self.assertTrue(((red[..., 0] > 180) & (red[..., 1] < 90) & (red[..., 2] < 90)).any(), "power symbol not red")

    def test_icon_has_a_size_for_every_display_scale(self):
        with open(os.path.join(RES, "icons", "zorla.ico"), "rb") as f:
            data = f.read()
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind, count), (0, 1, 7))
        sizes = []
        for i in range(count):
            w, h, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            self.assertEqual(struct.unpack_from("<Iii", data, offset), (40, w, 2 * h))
            self.assertEqual(bits, 32)
            self.assertLessEqual(offset + length, len(data))
            sizes.append(w)
        self.assertEqual(sizes, [16, 20, 24, 32, 40, 48, 64])


class ResourceScriptTests(unittest.TestCase):
    def test_declares_every_resource_once_with_existing_files(self):
        with open(os.path.join(RES, "art.rc")) as f:
            entries = re.findall(r'^(\d+)\s+(\w+)\s+"([^"]+)"', f.read(), re.M)
        found = {}
        for rid, kind, path in entries:
            self.assertNotIn((int(rid), kind), found)
            self.assertNotIn("\\", path)
            self.assertTrue(os.path.isfile(os.path.join(RES, path)), path)
            found[(int(rid), kind)] = path
        want = {(i, kind) for ids, kind in ((PICTURE_SIZES, "RCDATA"), ((129, 135, 136, 151, 152), "BITMAP"))
                for i in ids for i in (i, 100 * i + 8)}
        want |= {(i, "RCDATA") for r in g.REGION_BOUNDS for i in [r] + [100 * r + p // 25 for p in SCALES]}
        want |= {(s, "WAVE") for s in SOUND_IDS}
        want |= {(128, "ICON")}
        self.assertEqual(set(found), want)


if __name__ == "__main__":
    unittest.main()
