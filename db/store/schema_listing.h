// The schema of a database as text, one fact a line, tab-separated (the
// format of `marrowtide-db schema`):
//
//   table        TABLE
//   column       TABLE  COLUMN  TYPE  NOT NULL-or-empty  DEFAULT-or-empty
//   key          TABLE  NAME  PRIMARY|UNIQUE  COL,COL
//   description  TABLE  COLUMN  TEXT
//   view         NAME
//   procedure    NAME
//
// Promises:
//  - Tables come in name order (case-insensitive), each followed by its
//    columns in their order, its keys in the order they were declared and the
//    descriptions of its columns in column order; then the named queries in
//    name order. The engine's own tables do not appear.
//  - TYPE is the canonical Jet name (JetTypeName), DEFAULT the Jet text it
//    was declared with. Fields escape backslash, tab, line feed and carriage
//    return as \\, \t, \n, \r and any other control character as \xHH, so
//    each fact stays on one line.
#pragma once

#include <QString>
#include <QStringList>

#include "db/engine.h"

namespace mt::engine {

// Throws DbError(kInvalidArg) for a connection of another engine.
QStringList ListSchema(Connection& connection);

// Backslash, tab, line feed and carriage return escaped, other control
// characters as \xHH (two lower-case hex digits).
QString EscapeField(const QString& text);

}  // namespace mt::engine
