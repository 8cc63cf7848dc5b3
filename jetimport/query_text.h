// The Jet SQL text of a saved query, rebuilt from its rows in the file's query
// definitions (MSysQueries): one row for its type, and rows for parameters,
// flags (DISTINCT, TOP), tables, columns, joins, WHERE, GROUP BY, HAVING and
// ORDER BY.
//
// Promises:
//  - Select, make-table (SELECT ... INTO), append (INSERT INTO), update,
//    delete, crosstab (TRANSFORM ... PIVOT) and union queries are rebuilt
//    from their parts; data-definition and pass-through queries carry their
//    text as stored.
//  - Only select queries are views; every other kind is a procedure.
//  - A query whose rows do not make a statement (no type row, an unknown
//    type, no columns or tables where the kind needs them, a join naming a
//    table the query does not read) gives no text and the reason.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "jetimport/jet_file.h"

namespace mt::jetimport {

struct QueryText {
  QString sql;
  bool isView = false;
};

// The rebuilt query, or nullopt with *why set.
std::optional<QueryText> RebuildQuery(const std::vector<QueryRow>& rows, QString* why);

}  // namespace mt::jetimport
