#!/usr/bin/env python3
"""Seed corpora for the fuzz targets, cut from the real upgrade scripts.

make_corpus.py SCRIPTS_DIR TRANSLATE_DIR SCRIPT_DIR

TRANSLATE_DIR gets one normalised statement a file (one of each shape, the
literals and numbers set aside); SCRIPT_DIR gets runs of raw pieces, line
ends and separators as the scripts have them.
"""
import hashlib
import os
import re
import sys

SEP = "\u25a0"
MAX_TRANSLATE = 2500
MAX_SCRIPT = 800
MAX_LEN = 4000

# Statements the run issues outside the scripts: pruning, value passes,
# settings, the version stamp.
EXTRA = [
    'DELETE * FROM TTaskLog WHERE LogDate < DATEADD("d", -3, NOW())',
    'DELETE * FROM TTaskLogHour WHERE LogDate < DATEADD("m", -1, NOW())',
    'UPDATE [TSettings] SET Val1="405" WHERE [ID]="DBVersion"',
    "SELECT Val1 FROM TSettings WHERE ID LIKE 'DBVersion'",
    "UPDATE TSettings SET Val1=\"0\" WHERE ID LIKE 'IsDBEn'",
    'UPDATE TCodes SET ValText = "x", Tag = "y" WHERE Code LIKE "A" AND Val = 1 AND ValText = "o"',
    "SELECT * FROM TCodes ORDER BY Code, Val",
    "SELECT TOP 1 Format(Now(), 'yyyy-mm-dd hh:nn:ss'), Mid('abc', 2), InStr(1, 'abc', 'c'), CLng('12')",
    "SELECT IIF(ISNULL(Val2), '', Val2) & '|' + Val1 FROM TSettings WHERE #2024-07-03 05:38:45# < Now()",
]


def normalise(piece):
    s = piece.strip(" ").replace("\n", "\r").replace("\r\r", "\r").replace("\r", " ").strip(" ")
    while "  " in s:
        s = s.replace("  ", " ")
    return s


def shape(s):
    s = re.sub(r"'[^']*'|\"[^\"]*\"", "S", s)
    s = re.sub(r"\d+", "0", s)
    return s


def write(folder, text):
    data = text.encode("utf-8")[:MAX_LEN]
    name = hashlib.sha1(data).hexdigest()
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    scripts, tdir, sdir = sys.argv[1:4]
    os.makedirs(tdir, exist_ok=True)
    os.makedirs(sdir, exist_ok=True)
    tshapes, sshapes = set(), set()
    nt = ns = 0
    for name in sorted(os.listdir(scripts)):
        if not name.endswith(".sql"):
            continue
        with open(os.path.join(scripts, name), "rb") as f:
            text = f.read().decode("utf-8-sig")
        pieces = text.split(SEP)
        for p in pieces:
            s = normalise(p)
            if len(s) <= 5 or nt >= MAX_TRANSLATE:
                continue
            k = shape(s)
            if k not in tshapes:
                tshapes.add(k)
                write(tdir, s)
                nt += 1
        for i in range(0, len(pieces), 3):
            run = SEP.join(pieces[i:i + 3])
            k = shape(normalise(run))[:200]
            if k not in sshapes and ns < MAX_SCRIPT:
                sshapes.add(k)
                write(sdir, run)
                ns += 1
    for s in EXTRA:
        write(tdir, s)
    print("translate seeds: %d, script seeds: %d" % (nt + len(EXTRA), ns))


if __name__ == "__main__":
    main()
