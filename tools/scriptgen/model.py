# A running model of the schema while the history is written down.
#
# The history calls these operations alongside the statements it emits, so
# the generator can refuse a history that drops a column twice, adds one that
# exists, renames a missing table and so on, long before any database sees
# the scripts. The model only checks the history; it is not a description of
# the final schema that anything is compared against.

import re


class Column:
    def __init__(self, name, decl):
        self.name = name
        self.decl = decl


class Table:
    def __init__(self, name, columns):
        self.name = name
        self.columns = [Column(n, d) for n, d in columns]

    def find(self, column):
        for c in self.columns:
            if c.name.lower() == column.lower():
                return c
        return None


class SchemaModel:
    def __init__(self):
        self.tables = {}
        self.queries = {}  # name -> "view" | "procedure"

    def _table(self, table):
        t = self.tables.get(table.lower())
        if t is None:
            raise ValueError("no table %s" % table)
        return t

    def has_table(self, table):
        return table.lower() in self.tables

    def create(self, table, columns):
        if self.has_table(table):
            raise ValueError("table %s exists" % table)
        self.tables[table.lower()] = Table(table, columns)

    def drop(self, table):
        self._table(table)
        del self.tables[table.lower()]

    def rename_table(self, old, new):
        t = self._table(old)
        del self.tables[old.lower()]
        t.name = new
        self.tables[new.lower()] = t

    def add(self, table, column, decl):
        t = self._table(table)
        if t.find(column):
            raise ValueError("column %s.%s exists" % (table, column))
        t.columns.append(Column(column, decl))

    def drop_column(self, table, column):
        t = self._table(table)
        c = t.find(column)
        if c is None:
            raise ValueError("no column %s.%s to drop" % (table, column))
        t.columns.remove(c)

    def alter(self, table, column, decl):
        c = self._table(table).find(column)
        if c is None:
            raise ValueError("no column %s.%s to alter" % (table, column))
        c.decl = decl

    def rename(self, table, old, new):
        t = self._table(table)
        c = t.find(old)
        if c is None:
            raise ValueError("no column %s.%s to rename" % (table, old))
        if t.find(new):
            raise ValueError("column %s.%s exists" % (table, new))
        c.name = new

    def require(self, table, columns):
        t = self._table(table)
        for c in columns:
            c = re.sub(r"^\[|\]$", "", c)
            if t.find(c) is None:
                raise ValueError("no column %s.%s" % (table, c))

    def has_column(self, table, column):
        return self.has_table(table) and self._table(table).find(column) is not None

    def set_query(self, name, kind):
        self.queries[name.lower()] = (name, kind)

    def drop_query(self, name):
        if name.lower() not in self.queries:
            raise ValueError("no query %s" % name)
        del self.queries[name.lower()]
