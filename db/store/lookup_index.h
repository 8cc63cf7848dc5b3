// Lookup indexes: indexes a connection makes for a long pass that finds many
// rows one at a time by the same columns (the value passes on their work
// copy, the upgrade's versions). They belong to the connection, not to the
// database's schema.
//
// Promises:
//  - An index covers the table's named columns in order; text columns
//    (TEXT, MEMO, GUID, DECIMAL) by their key fold (kSqlKeyFoldOpen), so
//    that an equality ignoring case with a text whose variants all key-fold
//    alike, a LIKE pattern without wildcards of such a text, and a pattern
//    after a leading text, are found through it (the emitter says each also
//    in key folds); other columns compare as SQLite stores them. Only
//    SQLite's own functions make the index: any SQLite can read and check a
//    file that carries one.
//  - The names start with "_mt_lookup_": the engine's, out of reach of
//    ordinary statements.
//  - DropLookupIndexes() removes every index the connection made (those a
//    table rebuild already took away included) and never throws; the
//    connection calls it before it closes the file, so a closed database
//    carries none.
//  - A process killed after a commit leaves its indexes in the file; the
//    next open for writing drops them (DropLeftoverLookupIndexes).
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
