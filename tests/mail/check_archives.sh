#!/usr/bin/env bash
# The mail's archives as the standard tools see them: made under Wine by the
# mail suite's child test, then tested by Debian's unzip and by Python's zipfile
# with every CRC checked. ctest runs it inside tools/test.sh, which sets up Wine.
#
# usage: check_archives.sh PATH/TO/mail_tests.exe
set -euo pipefail
tests_exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

folder=$(winepath -w "$work" </dev/null | tr -d '\r')
ZORLA_ZIP_CHECK_FOLDER=$folder wine "$tests_exe" --gtest_filter='ZipToolsChild.*' </dev/null | tr -d '\r'

for archive in Zorla Varied Empty Named; do
  unzip -t "$work/$archive.zip" </dev/null
done

python3 - "$work" <<'PYTHON'
import os, sys, time, zipfile

work = sys.argv[1]
problems = []

def check(archive, name, source, read_only=False, flag=2):
    with zipfile.ZipFile(os.path.join(work, archive)) as z:
        bad = z.testzip()
        if bad is not None:
            problems.append(f"{archive}: CRC or data of {bad} wrong")
        infos = z.infolist()
        if len(infos) != 1:
            problems.append(f"{archive}: {len(infos)} entries")
            return
        info = infos[0]
        expected = {
            "name": name, "method": zipfile.ZIP_DEFLATED, "flag": flag,
            "made by": 20, "host system": 0, "needed": 20, "comment": b"", "extra": b"",
        }
        found = {
            "name": info.filename, "method": info.compress_type, "flag": info.flag_bits,
            "made by": info.create_version, "host system": info.create_system,
            "needed": info.extract_version, "comment": z.comment + info.comment, "extra": info.extra,
        }
        for key in expected:
            if expected[key] != found[key]:
                problems.append(f"{archive}: {key} {found[key]!r}, expected {expected[key]!r}")
        with open(os.path.join(work, source), "rb") as f:
            if z.read(info) != f.read():
                problems.append(f"{archive}: entry differs from {source}")
        # The time the Linux side gives the file, to the two seconds MS-DOS keeps.
        local = time.localtime(os.stat(os.path.join(work, source)).st_mtime)
        stamp = tuple(local[:5]) + (local[5] // 2 * 2,)
        if info.date_time != stamp:
            problems.append(f"{archive}: date and time {info.date_time}, expected {stamp}")
        if read_only and not info.external_attr & 1:
            problems.append(f"{archive}: read-only attribute missing ({info.external_attr:#x})")

check("Zorla.zip", "Zorla.exe", "Zorla.exe")
check("Varied.zip", "Varied.bin", "Varied.bin", read_only=True)
check("Empty.zip", "Empty.txt", "Empty.txt")
# Bit 11: the name is UTF-8, which zipfile then decodes as such.
named = "app-\u0416\u043e\u0440\u0430 \u0141\u00f3d\u017a \u65e5\u672c.txt"
check("Named.zip", named, named, flag=0x802)
for problem in problems:
    print(problem)
print("python zipfile:", "problems found" if problems else "4 archives sound")
sys.exit(1 if problems else 0)
PYTHON
