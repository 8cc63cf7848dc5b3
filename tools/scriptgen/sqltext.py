# Statement builders for the upgrade scripts.
#
# Every builder returns the text of one statement in the Jet dialect, lines
# separated by "\n" and indentation written as INDENT; the layout step
# (layout.py) turns those into the line ends and indentation of each script
# file. Builders take a `style` number so that neighbouring scripts read as
# written by hand over the years: bracketed or bare names, "ADD COLUMN" or
# "ADD", single- or double-quoted literals.

# Indentation of multi-line statements; the layout writes it as a tab or as
# four spaces. Description pairs are indented with plain spaces instead: a tab
# before a column name would become part of the name the catalogue looks up.
INDENT = "\x01"
PAIR_INDENT = "    "


def q(value, quote="'"):
    """A Jet literal: text in the given quotes (inner quotes doubled), numbers
    as written, True/False, NULL."""
    if value is None:
        return "NULL"
    if isinstance(value, bool):
        return "True" if value else "False"
    if isinstance(value, int):
        return str(value)
    if isinstance(value, float):
        text = repr(value)
        return text[:-2] if text.endswith(".0") else text
    text = str(value)
    return quote + text.replace(quote, quote + quote) + quote


# Names that are reserved words of the dialect and are always bracketed.
RESERVED = {"ORDER"}


def name(ident, bracket):
    if ident.startswith("["):
        return ident  # a name that needs its brackets in any style
    return "[%s]" % ident if bracket or ident.upper() in RESERVED else ident


def add_column(table, column, decl, style=0):
    """ALTER TABLE ... ADD [COLUMN] ..."""
    b = style % 3 == 1
    word = "ADD COLUMN" if style % 2 == 0 else "ADD"
    return "ALTER TABLE %s %s %s %s" % (name(table, b), word, name(column, b), decl)


def drop_column(table, column, style=0):
    b = style % 3 == 1
    return "ALTER TABLE %s DROP COLUMN %s" % (name(table, b), name(column, b))


def alter_column(table, column, decl, style=0):
    b = style % 3 == 1
    return "ALTER TABLE %s ALTER COLUMN %s %s" % (name(table, b), name(column, b), decl)


def rename_column(table, old, new, style=0):
    b = style % 2 == 1
    return "ALTER TABLE %s RENAME COLUMN %s TO %s" % (name(table, b), name(old, b), name(new, b))


def create_table(table, columns, keys=(), style=0):
    """columns: [(name, decl)]; keys: [(constraint name, kind, [cols])]."""
    b = style % 2 == 0
    lines = ["CREATE TABLE %s (" % name(table, b)]
    parts = ["%s%s %s" % (INDENT, name(c, b), d) for c, d in columns]
    for kname, kind, cols in keys:
        parts.append("%sCONSTRAINT %s %s (%s)" % (INDENT, name(kname, True), kind,
                                                    ", ".join(name(c, True) for c in cols)))
    lines.append(",\n".join(parts))
    lines.append(")")
    return "\n".join(lines)


def insert(table, columns, values, style=0, quote="'"):
    b = style % 2 == 1
    return "INSERT INTO %s (%s) VALUES (%s)" % (
        name(table, b), ", ".join(name(c, b) for c in columns),
        ", ".join(q(v, quote) for v in values))


def setting(key, val1, val2, alias, order=None, val3=None, quote="'"):
    """The idempotent insert of one settings row: one row of constants
    selected from the settings table itself, guarded by NOT EXISTS."""
    cols = ["ID", "Val1", "Val2"]
    vals = [key, val1, val2]
    if val3 is not None:
        cols.append("Val3")
        vals.append(val3)
    cols.append("Alias")
    vals.append(alias)
    if order is not None:
        cols.append("[Order]")
        vals.append(order)
    return ("INSERT INTO TSettings (%s) SELECT TOP 1 %s FROM TSettings WHERE NOT EXISTS "
            "(SELECT ID FROM TSettings WHERE ID = %s)" % (
                ", ".join(cols), ", ".join(q(v, quote) for v in vals), q(key, quote)))


STAMP_STYLES = [
    "UPDATE TSettings SET Val1 = '{v}' WHERE ID = 'DBVersion'",
    'UPDATE [TSettings] SET [Val1]="{v}" WHERE [ID]="DBVersion"',
    'UPDATE TSettings SET Val1="{v}" WHERE ID="DBVersion"',
    "UPDATE TSettings SET [Val1] = '{v}' WHERE [ID] = 'DBVersion'",
    "UPDATE [TSettings] SET Val1 = \"{v}\" WHERE ID = 'DBVersion'",
    "UPDATE TSettings SET TSettings.Val1 = '{v}' WHERE TSettings.ID = 'DBVersion'",
]


def stamp(version, style):
    return STAMP_STYLES[style % len(STAMP_STYLES)].format(v=version)


def describe(table, pairs, quote='"', bracket=False):
    """A SetColumnDescription pseudo-statement: each pair on its own line,
    the comma at the start of the next line."""
    lines = ["SetColumnDescription %s" % name(table, bracket)]
    for i, (column, text) in enumerate(pairs):
        if quote in text:
            raise ValueError("description of %s.%s contains its quote" % (table, column))
        lead = PAIR_INDENT if i == 0 else PAIR_INDENT + ","
        lines.append("%s%s = %s%s%s" % (lead, column, quote, text, quote))
    return "\n".join(lines)
