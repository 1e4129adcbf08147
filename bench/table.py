#!/usr/bin/env python3
"""The closing table of `make bench`: every figure with its goal, from the
"ROW <key> <value> <unit> <detail>" lines the benchmarks printed (bench/Row.h).

    python3 bench/table.py BENCH_LOG
"""
import sys

# key, what is measured, the goal as it reads, and the goal as a test of the value
# (None for a figure given for reference, beside the one with the goal)
FIGURES = [
    ("notes_ratio", "1,000 notes + 1,000 reminders, every window shown and painted, against 2,000 plain windows",
     "ratio <= 1.25x", lambda v: v <= 1.25),
    ("notes_ratio_shaped", "the same against 2,000 plain windows shaped as notes and kept at the bottom",
     "for reference", None),
    ("notes_longest_wait", "main window's longest wait to answer while the stored notes open",
     "<= 100 ms", lambda v: v <= 100),
    ("xml_ratio", "XML parseBuffer speed against expat alone with empty handlers",
     "ratio >= 0.7x", lambda v: v >= 0.7),
    ("entries_add", "adding 10,000 entries one by one", "<= 100 ms in all", lambda v: v <= 100),
    ("entries_load_read", "load and read all of 10,000 entries", "<= 40 ms", lambda v: v <= 40),
    ("notes_save_load", "save + load of 10,000 notes", "<= 25 ms", lambda v: v <= 25),
    ("view_change", "view change (region, controls, repaint), 41 changes", "median <= 5 ms", lambda v: v <= 5),
    ("view_change_platform", "of it the platform's: a plain window's outline change and repaint, in turns",
     "for reference", None),
    ("startup_ratio", "start-up to the first paint against the floor program", "ratio <= 1.10x",
     lambda v: v <= 1.10),
    ("sync_merge", "merging another computer's 1,000 notes + 1,000 reminders into as many here",
     "<= 50 ms", lambda v: v <= 50),
    ("sync_apart", "100 of them changed on both computers apart, merged line by line in one check",
     "<= 50 ms", lambda v: v <= 50),
    ("sync_change", "one change arriving from another computer among them (the main window's wait)",
     "<= 100 ms", lambda v: v <= 100),
    ("sync_publish", "writing this computer's file of 4,000 entries, at the check after a merge",
     "for reference", None),
    ("text_merge", "three-way merge of a 10 KB note edited apart on two computers", "median <= 1 ms",
     lambda v: v <= 1),
    ("text_merge_rewritten", "the same note rewritten line by line on both computers", "median <= 1 ms",
     lambda v: v <= 1),
    ("text_merge_letters", "10 KB of one-letter lines rewritten on both, the line diff's worst case",
     "median <= 10 ms", lambda v: v <= 10),
    ("find_keystroke", "one keystroke's search among 10,000 notes and reminders, typing letter by letter",
     "median <= 10 ms", lambda v: v <= 10),
    ("find_first_fold", "taking in those 10,000 texts when the find window opens", "for reference", None),
    ("forecast_read", "reading a full 10-day Locationforecast answer (91 steps, 40 KB)", "median <= 2 ms",
     lambda v: v <= 2),
    ("city_keystroke", "one keystroke's search among the world's places, typing city names letter by letter",
     "median <= 2 ms", lambda v: v <= 2),
    ("city_load", "loading the world's city table, once when the weather view first needs it", "<= 30 ms",
     lambda v: v <= 30),
    ("city_table_bytes", "the city table's bytes in Zorla.exe", "< 1 MB", lambda v: v < 1 << 20),
    # 6,574,846 bytes before the weather services, the JSON readers and the city table.
    ("zorla_exe_bytes", "Zorla.exe", "<= 8,147,710 bytes (+1.5 MB)", lambda v: v <= 6574846 + 1.5 * (1 << 20)),
    ("memory_above", "peak memory, 100 notes + 100 reminders, against 200 plain windows", "<= +10 MB",
     lambda v: v <= 10),
]


def read_rows(path):
    rows = {}
    with open(path, encoding="utf-8", errors="replace") as log:
        for line in log:
            parts = line.rstrip("\n").split(" ", 4)
            if len(parts) >= 4 and parts[0] == "ROW":
                rows[parts[1]] = (float(parts[2]), parts[3], parts[4] if len(parts) > 4 else "")
    return rows


def number(value, unit):
    if unit == "x":
        return f"{value:.2f}x"
    if unit == "MB":
        return f"{value:+.1f} MB"
    if unit == "ms":
        return f"{value:.2f} ms" if value < 10 else f"{value:.1f} ms" if value < 100 else f"{value:.0f} ms"
    return f"{value:g} {unit}"


# Figures measured again with the screen at 150 % (tools/bench.sh): the same goals.
SCALED = ["notes_ratio", "notes_longest_wait", "view_change", "startup_ratio", "memory_above"]


def figures():
    scaled = [(key + "@150", label + ", screen at 150 %", goal, met)
              for key, label, goal, met in FIGURES if key in SCALED]
    return FIGURES + scaled


def table_lines(rows):
    lines = []
    for key, label, goal, met in figures():
        if key not in rows:
            lines.append((label, "not measured", goal, "not measured"))
            continue
        value, unit, detail = rows[key]
        measured = number(value, unit) + (f" ({detail})" if detail else "")
        state = "reference" if met is None else "met" if met(value) else "short"
        lines.append((label, measured, goal, state))
    return lines


def main():
    rows = read_rows(sys.argv[1])
    header = ("measure", "measured in this run", "goal", "state")
    lines = table_lines(rows)
    widths = [max(len(line[i]) for line in [header] + lines) for i in range(4)]
    rule = "+-" + "-+-".join("-" * w for w in widths) + "-+"
    print(rule)
    for line in [header] + lines:
        print("| " + " | ".join(cell.ljust(w) for cell, w in zip(line, widths)) + " |")
        if line is header:
            print(rule)
    print(rule)
    met = sum(1 for line in lines if line[3] == "met")
    goals = sum(1 for _, _, _, test in figures() if test is not None)
    print(f"{met} of {goals} goals met")


if __name__ == "__main__":
    main()
