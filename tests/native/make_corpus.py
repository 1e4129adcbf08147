#!/usr/bin/env python3
"""Writes the seed corpora of the archive and uninstall-list fuzzers beside this
script. Run again only to change the seeds; the files are committed."""
import io
import os
import struct
import zipfile

here = os.path.dirname(os.path.abspath(__file__))


def archive(method, name="Zorla.exe", data=b"MZ" + bytes(range(256)) * 4):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", compression=method) as z:
        z.writestr(zipfile.ZipInfo(name, (2026, 11, 20, 10, 0, 0)), data, compress_type=method)
    return out.getvalue()


def write(folder, name, data):
    os.makedirs(os.path.join(here, folder), exist_ok=True)
    with open(os.path.join(here, folder, name), "wb") as f:
        f.write(data)


stored = archive(zipfile.ZIP_STORED)
deflated = archive(zipfile.ZIP_DEFLATED)
end = len(deflated) - 22
directory = struct.unpack_from("<I", deflated, end + 16)[0]

zips = {
    "stored.zip": stored,
    "deflated.zip": deflated,
    "empty.zip": b"",
    "cut.zip": deflated[:-10],
    "two.zip": None,
    # The name's length reaches past the end of the bytes.
    "long-name.zip": deflated[: directory + 28] + b"\xff\xff" + deflated[directory + 30 :],
    # The local header said to lie inside the directory.
    "overlap.zip": deflated[: directory + 42] + struct.pack("<I", directory - 2) + deflated[directory + 46 :],
    # Directory size and offset far past the end.
    "huge.zip": deflated[: end + 12] + b"\xff\xff\xff\xff\xfe\xff\xff\xff" + deflated[end + 20 :],
}
out = io.BytesIO()
with zipfile.ZipFile(out, "w") as z:
    z.writestr("a.txt", b"a")
    z.writestr("b.txt", b"b")
zips["two.zip"] = out.getvalue()
for name, data in zips.items():
    write("corpus-zip", name, data)

# The uninstall fuzzer reads a path of up to 300 bytes ended by a lone
# backslash, then takes the rest as the list.
def path_and_list(path, text):
    return path.replace(b"\\", b"\\\\") + b"\\" + b"x" + text


lists = {
    "crlf.ini": path_and_list(b"C:\\Start\\Zorla.lnk",
                              b"[Setup]\r\nDir=C:\\Zorla\r\n[Files]\r\nC:\\Zorla\\Zorla.exe=<new>\r\n"),
    "lf.ini": path_and_list(b"C:\\Start\\Zorla.lnk", b"[Files]\nC:\\Zorla\\Zorla.exe=<new>\n"),
    "no-header.ini": path_and_list(b"C:\\Start\\Zorla.lnk", b"[Setup]\r\nDir=C:\\Zorla"),
    "header-last.ini": path_and_list(b"C:\\Start\\Zorla.lnk", b"[Setup]\r\n[Files]"),
    "contained.ini": path_and_list(b"C:\\Start\\Zorla.lnk",
                                   b"[Files]\r\nC:\\Start\\Zorla.lnk=<new>\r\nb=<new>\r\nC:\\Start\\Zorla.lnk=<new>"),
    "empty.ini": b"",
}
for name, data in lists.items():
    write("corpus-uninstall", name, data)
