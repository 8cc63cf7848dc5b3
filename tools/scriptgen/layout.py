# The byte layout of each script file: encoding mark, line ends,
# indentation, separators and the odd leftovers of scripts edited over years
# on different machines. The engine normalises all of it away; the files keep
# it so that the engine is exercised on what shipped scripts really contain.

SEPARATOR = "\u25a0"
BOM = b"\xef\xbb\xbf"

CODE_MIGRATIONS = {298, 299, 319, 329, 335, 338}

# Scripts saved with a byte-order mark.
BOM_VERSIONS = (set(range(8, 15)) | {88, 89} | set(range(91, 106)) | {117} | set(range(122, 318))) - CODE_MIGRATIONS

# Scripts edited with a tool that wrote bare LF line ends (inside statements).
LONE_LF_VERSIONS = {311, 312, 313, 314, 315, 316, 318, 320, 321, 322, 323, 324, 325, 326, 330, 331, 334,
                    345, 351, 371}

# Scripts with bare CR line ends: inside their multi-line statements, or after
# their first statement when they have none.
LONE_CR_VERSIONS = {v for v in range(3, 406) if v % 4 == 1 and v not in LONE_LF_VERSIONS
                    and v not in CODE_MIGRATIONS}
LONE_CR_VERSIONS |= {10, 30, 50}

# Scripts where some lines end in CR CR LF.
CRCRLF_VERSIONS = {47, 83, 131, 166, 201, 244, 287, 303, 340, 362, 381, 399}

# Scripts whose multi-line statements are indented with tabs.
TAB_VERSIONS = {4, 18, 24, 29, 36, 37, 41, 42, 52, 58, 65, 174, 79, 99, 120, 126, 148, 165, 173, 193, 203,
                206, 212, 233, 237, 270, 273, 275, 300, 307, 308, 312, 318, 322, 323, 324, 330, 348, 179, 366}

# Scripts with a leftover piece too short to be a statement: a lone ";" on
# the line after the first statement, with its own separator.
LEFTOVER_PIECE_VERSIONS = {150, 250, 350}


def statement_text(text, version, eol):
    indent = "\t" if version in TAB_VERSIONS else "    "
    lines = text.replace("\x01", indent).split("\n")
    if version in LONE_CR_VERSIONS:
        inner = "\r"
    elif version in LONE_LF_VERSIONS:
        inner = "\n"
    else:
        inner = eol
    return inner.join(lines), len(lines) > 1


def render(version, statements):
    eol = "\r\n"
    out = []
    multi_line_seen = False
    for i, text in enumerate(statements):
        body, multi = statement_text(text, version, eol)
        multi_line_seen = multi_line_seen or multi
        if version == 273 and text.startswith("INSERT") and "\t\tINSERT" not in "".join(out):
            body = "\t\t" + body
        after = eol
        if version in CRCRLF_VERSIONS and i % 3 == 0:
            after = "\r\r\n"
        if version in LONE_CR_VERSIONS and i == 0 and not any("\n" in s for s in statements):
            after = "\r"
        out.append(body + SEPARATOR + after)
        if version in LEFTOVER_PIECE_VERSIONS and i == 0:
            out.append(";" + SEPARATOR + eol)
        # A blank line before the closing version stamp.
        if i == len(statements) - 2 and len(statements) > 3 and version % 2 == 0:
            out.append(eol)
    text = "".join(out)
    if version == 330:
        text = text[: -len(eol)] + "\0\0\0"
    data = text.encode("utf-8")
    if version in BOM_VERSIONS:
        data = BOM + data
    return data
