#!/usr/bin/env python3
"""Writes the product's upgrade scripts, upgrade/scripts/1XXXX.sql.

Usage:  python3 tools/scriptgen/scriptgen.py [--out DIR] [--stats]

One file per schema version 3..405 (resource identifier 10000 + version),
except the versions that are code migrations (298, 299, 329, 335, 338); 319
is a migration too, but its script is shipped, byte for byte the same as 320.

Where things are:
  history_early.py  versions 3..120, step by step, and the task view's
                    definitions through the versions
  history_late.py   versions 121..405; columns_late.py lists the columns
                    those versions add
  builder.py        the operations the history is written with, and the
                    tables of the initial database (version 2) that the
                    first script starts from
  model.py          a running schema model that stops the generator when the
                    history contradicts itself (dropping a missing column...)
  sqltext.py        statement texts in the Jet dialect
  descriptions.py   the column descriptions
  refdata.py        row data: MAC prefixes from the Debian package ieee-data,
                    countries from iso-codes (with its Korean catalogue),
                    made-up but plausible cities, keywords, user agents and
                    site categories
  layout.py         the bytes of each file: byte-order marks, line ends,
                    tabs, separators

Only the Python 3 standard library is needed, plus the data files of the
packages ieee-data and iso-codes. The output is deterministic; the .sql files
are committed and embedded as they are, so rerun this only to change them.
"""

import argparse
import collections
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import builder  # noqa: E402
import history_early  # noqa: E402
import history_late  # noqa: E402
import layout  # noqa: E402

FIRST, LAST = 3, 405


def build():
    h = builder.History()
    history_early.build(h)
    history_late.build(h)
    return h


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.normpath(os.path.join(here, "..", "..", "upgrade", "scripts"))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=default_out)
    ap.add_argument("--stats", action="store_true", help="print counts by statement kind")
    args = ap.parse_args()

    h = build()
    files = {}
    for v, statements in h.scripts.items():
        if v in layout.CODE_MIGRATIONS:
            raise SystemExit("version %d is a code migration and must have no script" % v)
        files[10000 + v] = layout.render(v, statements)
    files[10319] = files[10320]

    expected = [10000 + v for v in range(FIRST, LAST + 1) if v not in layout.CODE_MIGRATIONS or v == 319]
    missing = sorted(set(expected) - set(files))
    if missing:
        raise SystemExit("no script for %s" % missing)

    os.makedirs(args.out, exist_ok=True)
    for name in os.listdir(args.out):
        if name.startswith("1") and name.endswith(".sql") and int(name[:-4]) not in files:
            os.remove(os.path.join(args.out, name))
    total = 0
    for rid in sorted(files):
        with open(os.path.join(args.out, "%d.sql" % rid), "wb") as f:
            f.write(files[rid])
        total += len(files[rid])

    if args.stats:
        pieces = 0
        statements = 0
        for data in files.values():
            for piece in data.decode("utf-8-sig").split(layout.SEPARATOR):
                pieces += 1
                # The engine's normalisation: line ends become spaces, runs of spaces collapse.
                norm = piece.strip(" ").replace("\n", "\r").replace("\r\r", "\r").replace("\r", " ")
                if len(" ".join(part for part in norm.split(" ") if part)) > 5:
                    statements += 1
        kinds = collections.Counter(h.count)
        print("files %d, bytes %d, pieces %d, statements %d" % (len(files), total, pieces, statements))
        for k in sorted(kinds):
            print("  %-18s %d" % (k, kinds[k]))
        big = sorted(files, key=lambda r: -len(files[r]))[:6]
        print("largest: " + ", ".join("%d (%d)" % (r, len(files[r])) for r in big))


if __name__ == "__main__":
    main()
