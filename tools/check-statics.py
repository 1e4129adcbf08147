#!/usr/bin/env python3
"""Holds docs/architecture.md's list of statics to the code.

Every variable of src/ that lives for the whole process and may change (a
namespace-scope g_ variable, or a static inside a function that is not const)
must be named on the page as `folder/File.cpp:name`, with its reason; and every
name the page gives that way must still be in the code.

Usage: tools/check-statics.py   (exits 1 and names the difference when there is one)
"""

import os
import re
import sys

GLOBAL = re.compile(r"^(?:static\s+)?(?!return|using|typedef|namespace|class|struct|enum|template)"
                    r"([A-Za-z_][\w:<>,\s\*&]*?)\b(g_\w+)\s*(=|\{|;)")
LOCAL = re.compile(r"^\s+static\s+(?!const\b|constexpr\b|inline\b)([\w:<>,\s\*&]+?)\b([a-z]\w*)\s*(=|\{|;)")
NAMED = re.compile(r"`([a-z]+/[A-Za-z0-9_]+\.(?:cpp|h)):(\w+)`")


def is_constant(declared_type):
    words = declared_type.split()
    return bool(words) and words[0] == "const" and "*" not in declared_type


def statics_in(source_root):
    found = set()
    for folder in sorted(os.listdir(source_root)):
        path = os.path.join(source_root, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as source:
                for line in source:
                    match = GLOBAL.match(line) or LOCAL.match(line)
                    if match and not is_constant(match.group(1)) and "(" not in line.split("=")[0]:
                        found.add(f"{folder}/{name}:{match.group(2)}")
    return found


def main():
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(os.path.join(top, "docs", "architecture.md"), encoding="utf-8") as page:
        named = {f"{m.group(1)}:{m.group(2)}" for m in NAMED.finditer(page.read())}
    in_code = statics_in(os.path.join(top, "src"))
    missing = sorted(in_code - named)
    stale = sorted(named - in_code)
    for name in missing:
        print(f"check-statics: {name} lives for the whole process, but docs/architecture.md does not list it")
    for name in stale:
        print(f"check-statics: docs/architecture.md lists {name}, which the code no longer has")
    return 1 if missing or stale else 0


if __name__ == "__main__":
    sys.exit(main())
