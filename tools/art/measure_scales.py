"""Measures what showing the 200 % art box-filtered down costs, against
rendering every display scale directly. Run by hand after tools/art/build.sh:

    cd tools/art && LC_ALL=C.UTF-8 /usr/bin/python3 -B measure_scales.py

Prints, per full picture and scale, the mean and 99th-percentile absolute
per-channel difference between the direct render and the 200 % render
box-filtered to the same size (before and after JPEG), a sweep of the 200 %
JPEG quality, and the bytes the art adds to the program.

The box filter is the exact area average the program uses: destination pixel i
covers source pixels [i, i + 1) * 200 / percent, partly covered ones weighted by
their share. PIL's Image.BOX is not that filter at ratios that are not whole:
it averages, unweighted, the source pixels whose centres fall in that span
(4 -> 3 pixels gives a, (b + c) / 2, d instead of (3a + b) / 4, (b + c) / 2,
(c + 3d) / 4), so its column is shown for comparison only.
"""
import io
import os
import tempfile

import numpy as np
from PIL import Image

import build
import imgio
import rgndata

FULL = (110, 112, 113, 114, 135, 138, 141)
BETWEEN = tuple(p for p in build.SCALES if p != build.ART_SCALE)
QUALITIES = (80, 85, 88, 90, 92, 95)
TMP = tempfile.mkdtemp(prefix="zorla-scales-")


def jpeg(img, quality):
    """The bytes the build stores for img at quality, and the image they decode to."""
    path = os.path.join(TMP, "out.jpg")
    build.write_jpeg(img, path, quality)
    with open(path, "rb") as f:
        data = f.read()
    return data, Image.open(io.BytesIO(data)).convert("RGB")


def area_weights(src, dst, ratio):
    """dst x src: the share of each source pixel in each destination pixel."""
    edges = np.minimum(np.arange(dst + 1) * ratio, src)
    j = np.arange(src)
    w = np.clip(np.minimum(edges[1:, None], j + 1) - np.maximum(edges[:-1, None], j), 0, None)
    return w / w.sum(axis=1, keepdims=True)


def box_filter(img, size, percent):
    """A 200 % image area-averaged down to size at percent."""
    a = np.asarray(img, np.float64)
    h, w, c = a.shape
    ratio = build.ART_SCALE / percent
    rows = area_weights(h, size[1], ratio) @ a.reshape(h, w * c)
    out = (area_weights(w, size[0], ratio) @ rows.reshape(size[1], w, c).transpose(1, 0, 2).reshape(w, -1))
    out = out.reshape(size[0], size[1], c).transpose(1, 0, 2)
    return Image.fromarray(np.clip(np.round(out), 0, 255).astype(np.uint8), "RGB")


def difference(a, b):
    d = np.abs(np.asarray(a, np.int16) - np.asarray(b, np.int16))
    return d.mean(), np.percentile(d, 99)


def bmp_size(img, bits):
    path = os.path.join(TMP, "out.bmp")
    imgio.write_bmp(img, path, bits)
    return os.path.getsize(path)


def res_size(folder, name):
    return os.path.getsize(os.path.join(build.RES, folder, name))


def error_table(quality):
    print(f"Direct render against the {build.ART_SCALE} % render box-filtered down "
          f"(mean / p99 of |difference| per channel, 0-255); JPEG at quality {quality}")
    print(f"{'picture':>7} {'scale':>5} {'size':>9} {'render':>12} {'after JPEG':>12} {'PIL BOX':>12}")
    for pid in FULL:
        art = build.picture_image(pid, build.ART_SCALE)
        art_jpeg = jpeg(art, quality)[1]
        for percent in BETWEEN:
            direct = build.picture_image(pid, percent)
            before = difference(direct, box_filter(art, direct.size, percent))
            after = difference(direct, box_filter(art_jpeg, direct.size, percent))
            pil = difference(direct, art.resize(direct.size, Image.BOX))
            print(f"{pid:>7} {percent:>4}% {'x'.join(map(str, direct.size)):>9} {before[0]:6.2f} {before[1]:5.0f} "
                  f"{after[0]:6.2f} {after[1]:5.0f} {pil[0]:6.2f} {pil[1]:5.0f}")
        own = difference(art, art_jpeg)
        print(f"{pid:>7} {build.ART_SCALE:>4}% {'x'.join(map(str, art.size)):>9} {'':>12} {own[0]:6.2f} {own[1]:5.0f}")


def quality_sweep():
    print(f"\n{build.ART_SCALE} % JPEG quality of the full pictures: their bytes, the error of the JPEG itself "
          f"at {build.ART_SCALE} %, and after box-filtering to {BETWEEN[0]}-{BETWEEN[-1]} % (mean / worst p99)")
    print(f"{'quality':>7} {'bytes':>8} {build.ART_SCALE:>9} % {'filtered':>13}")
    arts = {pid: build.picture_image(pid, build.ART_SCALE) for pid in FULL}
    directs = {(pid, p): build.picture_image(pid, p) for pid in FULL for p in BETWEEN}
    reference = [difference(build.picture_image(pid, 100), jpeg(build.picture_image(pid, 100),
                                                                build.JPEG_QUALITY)[1]) for pid in FULL]
    for quality in QUALITIES:
        total, own, filtered = 0, [], []
        for pid, art in arts.items():
            data, decoded = jpeg(art, quality)
            total += len(data)
            own.append(difference(art, decoded))
            filtered += [difference(directs[pid, p], box_filter(decoded, directs[pid, p].size, p))
                         for p in BETWEEN]
        print(f"{quality:>7} {total:>8} {np.mean([m for m, _ in own]):6.2f} {max(q for _, q in own):4.0f} "
              f"{np.mean([m for m, _ in filtered]):7.2f} {max(q for _, q in filtered):4.0f}")
    print(f"(the 100 % JPEGs at quality {build.JPEG_QUALITY}: {np.mean([m for m, _ in reference]):.2f} "
          f"{max(q for _, q in reference):.0f})")


def golden_table():
    """What the program's tests can expect: the stored 200 % JPEG filtered as the
    program filters it, against the committed golden."""
    print("\nGoldens in tests/scale against the stored 200 % JPEG box-filtered (mean / p99 / max)")
    for name, (pid, percent) in build.GOLDENS.items():
        golden = Image.open(os.path.join(build.ROOT, "tests", "scale", name + ".jpg")).convert("RGB")
        stored = Image.open(os.path.join(build.RES, "pictures", build.variant(pid, build.ART_SCALE)[1] + ".jpg"))
        shown = box_filter(stored.convert("RGB"), golden.size, percent)
        d = np.abs(np.asarray(golden, np.int16) - np.asarray(shown, np.int16))
        print(f"{name:>9} {'x'.join(map(str, golden.size)):>9} {d.mean():6.2f} {np.percentile(d, 99):5.0f} {d.max():5d}")


def byte_table():
    icon_entry = {s: 16 + len(imgio.ico_entry(build.render(f"128-icon-{s}", build.scenes.icon(s), "icons")))
                  for s in build.ICON_SIZES}
    old_icons = (16, 32, 48)
    today = {
        "pictures": sum(res_size("pictures", f"{pid}.jpg") for pid in build.PICTURES),
        "regions": sum(res_size("regions", f"{rid}.rgn") for rid in build.REGIONS),
        "bitmaps": sum(res_size("bitmaps", f"{bid}.bmp") for bid in build.BITMAPS),
        "icon": 6 + sum(icon_entry[s] for s in old_icons),
    }
    scaled_regions = sum(len(rgndata.encode(build.region_rects(rid, p))) for rid in build.REGIONS
                         for p in build.SCALES)
    added = {
        "pictures": sum(res_size("pictures", build.variant(pid, build.ART_SCALE)[1] + ".jpg")
                        for pid in build.PICTURES),
        "regions": scaled_regions,
        "bitmaps": sum(res_size("bitmaps", build.variant(bid, build.ART_SCALE)[1] + ".bmp")
                       for bid in build.BITMAPS),
        "icon": sum(v for s, v in icon_entry.items() if s not in old_icons),
    }
    # Every scale rendered directly is shown 1:1 like the 100 % art, so at its qualities.
    direct = {
        "pictures": sum(len(jpeg(build.picture_image(pid, p), build.jpeg_quality(pid, 100))[0])
                        for pid in build.PICTURES for p in build.SCALES),
        "regions": scaled_regions,
        "bitmaps": sum(bmp_size(build.bitmap_image(bid, p), build.BITMAPS[bid][3])
                       for bid in build.BITMAPS for p in build.SCALES),
        "icon": added["icon"],
    }
    print("\nBytes of the art resources")
    print(f"{'':>9} {'100 % today':>12} {'added':>10} {'every scale direct':>19}")
    for kind in today:
        print(f"{kind:>9} {today[kind]:>12} {added[kind]:>10} {direct[kind]:>19}")
    totals = [sum(t.values()) for t in (today, added, direct)]
    print(f"{'total':>9} {totals[0]:>12} {totals[1]:>10} {totals[2]:>19}")
    print(f"added: {totals[1] / 1e6:.2f} MB, {100 * totals[1] / 3.3e6:.0f} % of the 3.3 MB program")


def main():
    os.makedirs(os.path.join(build.WORK, "png"), exist_ok=True)
    error_table(build.JPEG_QUALITY_ART)
    quality_sweep()
    golden_table()
    byte_table()


if __name__ == "__main__":
    main()
