// SQLite DDL for a Jet table model.
//
// Promises:
//  - CreateTableSql() declares every column with DeclaredType() and its
//    DEFAULT clause, in the model's order. The table's AUTOINCREMENT column
//    (at most one) is always SQLite's rowid alias, INTEGER PRIMARY KEY
//    AUTOINCREMENT, so its numbers are never reused; a Jet primary key on other
//    columns then becomes a UNIQUE constraint. Primary-key columns are NOT NULL,
//    as in Jet.
//  - Yes/No columns hold -1 or 0 (or Null), as in Jet: any other value written
//    to them becomes -1 (True), "false"/"no"/"off" texts 0. UPDATEs are
//    normalised by the trigger of BitTriggerSql(); INSERTs by the statement of
//    BitFixupSql() that the connection runs on the inserted rows in the same
//    transaction (an INSERT trigger would be compiled into every INSERT
//    statement and double the cost of the commonest statement).
//  - ValidateTable() rejects models that Jet rejects (no columns, duplicate
//    names, two AUTOINCREMENT columns, two primary keys, keys on unknown
//    columns) with DbError(kSyntax).
#pragma once

#include <QString>
#include <QStringList>

#include "db/jetsql/schema_model.h"

namespace mt::engine {

int FindColumn(const TableDef& table, const QString& name);  // -1 when absent
int FindKey(const TableDef& table, const QString& name);     // -1 when absent
int PrimaryKeyIndex(const TableDef& table);                 // -1 when none
int AutoIncrementColumn(const TableDef& table);             // -1 when none

// before: the model this one changes, validated earlier; a column that
// stands unchanged at the same place keeps its default unchecked.
void ValidateTable(const TableDef& table, const TableDef* before = nullptr);

QString CreateTableSql(const TableDef& table, const QString& sqliteName);

// Statements that (re)create the Yes/No triggers of a table; empty when it
// has no BIT column.
QStringList BitTriggerSql(const TableDef& table);

// "UPDATE table SET <bits normalised> WHERE <a bit needs it>", with
// "rowid = ?1 AND" in front of the condition when byRowid; empty when the
// table has no BIT column.
QString BitFixupSql(const TableDef& table, bool byRowid);
QStringList DropBitTriggerSql(const QString& tableName);

}  // namespace mt::engine
