// Lookup indexes: indexes a connection makes for a long pass that finds many
// rows one at a time by the same columns (the value passes on their work
// copy). They belong to the connection, not to the database's schema.
//
// Promises:
//  - An index covers the table's named columns in order; text columns
//    (TEXT, MEMO, GUID, DECIMAL) are collated jet_text, the collation of the
//    engine's text comparisons, so `column = 'text'` with that collation and
//    a LIKE pattern without wildcards are found through it; other columns
//    compare as SQLite stores them.
//  - The names start with "_mt_lookup_": the engine's, out of reach of
//    ordinary statements.
//  - DropLookupIndexes() removes every index the connection made (those a
//    table rebuild already took away included) and never throws; the
//    connection calls it before it closes the file, so a closed database
//    carries none.
//  - A process killed after a commit leaves its indexes in the file; the
//    next open for writing drops them (DropLeftoverLookupIndexes), so no
//    other reader meets the engine's collation in them for long.
#pragma once

#include <QString>
#include <QStringList>

#include "db/store/catalog_store.h"
#include "db/store/sqlite_db.h"

namespace mt::engine {

// Makes the index; returns its name. Throws DbError for an unknown table or
// column, or when SQLite cannot make it.
QString CreateLookupIndex(SqliteDb& db, CatalogStore& catalog, const QString& table, const QStringList& columns);

void DropLookupIndexes(SqliteDb& db, QStringList& names);

// Drops every lookup index the file holds, whoever made it; never throws (a
// file that cannot be written keeps them, harmless to this engine).
void DropLeftoverLookupIndexes(SqliteDb& db);

}  // namespace mt::engine
