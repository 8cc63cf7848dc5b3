// The one routine for table changes SQLite cannot make in place: create the
// new table under a scratch name, copy the rows, drop the old table, rename
// the new one (SQLite's documented procedure for ALTER TABLE).
//
// Promises:
//  - Runs inside the caller's savepoint; a failure (a value that does not
//    convert, duplicate values for a new key, a NOT NULL column holding Nulls)
//    throws DbError and the caller's rollback restores everything.
//  - Rows keep their rowids (so AUTOINCREMENT values survive), the
//    AUTOINCREMENT counter never goes back, the Yes/No triggers are recreated
//    and the catalogue receives the new model.
#pragma once

#include <QString>
#include <vector>

#include "db/store/catalog_store.h"

namespace mt::engine {

class SqliteDb;

// sources[i] is an SQL expression over the old table's row that gives the
// value of newInfo's column i; an empty expression lets the column take its
// DEFAULT (or the rowid, for the AUTOINCREMENT column).
void RebuildTable(SqliteDb& db, CatalogStore& catalog, const TableInfo& oldInfo,
                  const TableInfo& newInfo, const std::vector<QString>& sources);

}  // namespace mt::engine
