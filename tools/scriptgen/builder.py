# The per-version statement lists and the operations the history is written
# with. Each operation emits one statement into the current version and keeps
# the schema model (model.py) in step, so a history that contradicts itself
# stops the generator with the version and statement at fault.

import collections

import sqltext as st
from model import SchemaModel

WC = "WITH COMPRESSION"

# The product's initial database (version 2): the tables before any script.
# initial_database.cpp creates the same tables; keep the two in step.
INITIAL_TABLES = [
    ("TSettings", [("ID", "TEXT(255) WITH COMPRESSION"), ("Val1", "TEXT(255) WITH COMPRESSION"),
                   ("Val2", "TEXT(255) WITH COMPRESSION")]),
    ("TCodes", [("Code", "TEXT(50) WITH COMPRESSION"), ("Val", "LONG"),
                ("ValText", "TEXT(255) WITH COMPRESSION"), ("Description", "TEXT(255) WITH COMPRESSION"),
                ("Tag", "TEXT(255) WITH COMPRESSION")]),
    ("TFunctionPresets", [("ID", "LONG NOT NULL"), ("Type", "LONG NOT NULL DEFAULT 0"),
                          ("FunctionName", "TEXT(255) WITH COMPRESSION"),
                          ("Path", "TEXT(255) WITH COMPRESSION"), ("Alias", "TEXT(255) WITH COMPRESSION"),
                          ("IsMobile", "BIT NOT NULL DEFAULT False")]),
    ("TTaskList", [("IDX", "AUTOINCREMENT"), ("FunctionName", "TEXT(255) WITH COMPRESSION"),
                   ("FunctionType", "INT NOT NULL DEFAULT 0"), ("IsMobile", "BIT NOT NULL DEFAULT False"),
                   ("Arg1", "TEXT(255) WITH COMPRESSION"), ("Arg2", "MEMO WITH COMPRESSION"),
                   ("Arg3", "TEXT(255) WITH COMPRESSION"), ("ViewStayStart", "INT DEFAULT 0"),
                   ("ViewStayEnd", "INT DEFAULT 0"), ("RankCheck", "BIT NOT NULL DEFAULT False"),
                   ("SendSMS", "BIT NOT NULL DEFAULT False"), ("MaxPage", "INT DEFAULT 10"),
                   ("Frequency", "TEXT(255) WITH COMPRESSION"), ("MonthCnt", "INT DEFAULT 0"),
                   ("StartRank", "INT DEFAULT 0"), ("CurrentPage", "INT DEFAULT 0"),
                   ("CurrentRank", "INT DEFAULT 0"), ("Detail", "MEMO WITH COMPRESSION"),
                   ("LastDate", "DATETIME"), ("IsStopped", "BIT NOT NULL DEFAULT False")]),
    ("TTaskLogHour", [("TaskIDX", "LONG NOT NULL"), ("LogDate", "DATETIME NOT NULL"),
                      ("Rank", "LONG DEFAULT 0"), ("UpdateDate", "DATETIME DEFAULT Now()"),
                      ("DoneCount", "LONG NOT NULL DEFAULT 0")]),
    ("TTaskLogDay", [("TaskIDX", "LONG NOT NULL"), ("LogDate", "DATETIME NOT NULL"),
                     ("Rank", "LONG DEFAULT 0"), ("UpdateDate", "DATETIME DEFAULT Now()"),
                     ("DoneCount", "LONG NOT NULL DEFAULT 0")]),
    ("TIPs", [("IDX", "AUTOINCREMENT"), ("IPHost", "TEXT(50) WITH COMPRESSION"),
              ("IPKind", "INT DEFAULT 0"), ("IPState", "INT DEFAULT 0")]),
    ("TMACPrefixes", [("MACPrefix", "TEXT(20) WITH COMPRESSION")]),
]


class History:
    def __init__(self):
        self.scripts = collections.OrderedDict()
        self.model = SchemaModel()
        for t, cols in INITIAL_TABLES:
            self.model.create(t, cols)
        self.v = None
        self.count = collections.Counter()

    # -- the current version -------------------------------------------------
    def at(self, version):
        self.v = version
        self.scripts.setdefault(version, [])
        return self

    @property
    def style(self):
        return self.v

    @property
    def quote(self):
        """Data literals: double quotes in about a third of the scripts."""
        return '"' if self.v % 3 == 2 else "'"

    def emit(self, text, kind):
        self.scripts[self.v].append(text)
        self.count[kind] += 1

    def _guard(self, what, fn):
        try:
            fn()
        except ValueError as e:
            raise SystemExit("version %d, %s: %s" % (self.v, what, e))

    # -- schema ----------------------------------------------------------------
    def add(self, table, column, decl, style=None):
        self._guard("add", lambda: self.model.add(table, column, decl))
        self.emit(st.add_column(table, column, decl, self.style if style is None else style), "add")

    def add_many(self, table, columns):
        for c, d in columns:
            self.add(table, c, d)

    def drop(self, table, column):
        self._guard("drop", lambda: self.model.drop_column(table, column))
        self.emit(st.drop_column(table, column, self.style), "drop")

    def alter(self, table, column, decl):
        self._guard("alter", lambda: self.model.alter(table, column, decl))
        self.emit(st.alter_column(table, column, decl, self.style), "alter")

    def rename(self, table, old, new, style=None):
        self._guard("rename", lambda: self.model.rename(table, old, new))
        self.emit(st.rename_column(table, old, new, self.style if style is None else style), "rename")

    def rename_table(self, old, new):
        self._guard("rename table", lambda: self.model.rename_table(old, new))
        self.emit("ALTER TABLE %s RENAME TO %s" % (old, new), "rename_table")

    def create(self, table, columns, keys=()):
        self._guard("create", lambda: self.model.create(table, columns))
        self.emit(st.create_table(table, columns, keys, self.style), "create")

    def drop_table(self, table):
        self._guard("drop table", lambda: self.model.drop(table))
        self.emit("DROP TABLE %s" % table, "drop_table")

    def drop_constraint(self, table, cname):
        self.emit("ALTER TABLE %s DROP CONSTRAINT [%s]" % (table, cname), "drop_constraint")

    def add_primary_key(self, table, cols):
        self._guard("key", lambda: self.model.require(table, cols))
        self.emit("ALTER TABLE %s ADD CONSTRAINT [PrimaryKey] PRIMARY KEY (%s)"
                  % (table, ", ".join("[%s]" % c for c in cols)), "add_constraint")

    # -- named queries ---------------------------------------------------------
    def view(self, name, sql):
        self.model.set_query(name, "view")
        self.emit("CREATE VIEW [%s] AS %s" % (name, sql), "view")

    def procedure(self, name, sql):
        self.model.set_query(name, "procedure")
        self.emit("CREATE PROCEDURE [%s] AS %s" % (name, sql), "procedure")

    def drop_procedure(self, name):
        self._guard("drop procedure", lambda: self.model.drop_query(name))
        self.emit("DROP PROCEDURE %s" % name, "drop_procedure")

    # -- data ------------------------------------------------------------------
    def insert(self, table, columns, values, quote=None):
        self._guard("insert", lambda: self.model.require(table, columns))
        self.emit(st.insert(table, columns, values, self.style, quote or self.quote), "insert")

    def raw(self, text, kind):
        self.emit(text, kind)

    def update(self, text):
        self.emit(text, "update")

    def delete(self, text):
        self.emit(text, "delete")

    def setting(self, key, val1, val2, alias, order=None, val3=None):
        self.emit(st.setting(key, val1, val2, alias, order, val3, "'" if self.v % 4 else '"'), "insert")

    def code(self, code, val, valtext, desc, tag="", order=None):
        cols = ["Code", "Val", "ValText", "Description", "Tag"]
        vals = [code, val, valtext, desc, tag]
        if self.model.has_column("TCodes", "Order"):
            cols.append("[Order]")
            vals.append(val if order is None else order)
        self.insert("TCodes", cols, vals)

    def describe(self, table, pairs, quote='"', bracket=False):
        self.emit(st.describe(table, pairs, quote, bracket), "describe")
        self.count["descriptions"] += len(pairs)

    def stamp(self, style=None):
        self.emit(st.stamp(self.v, (self.v - 57) if style is None else style), "stamp")
