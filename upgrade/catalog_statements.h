// The script statements carried out through the database catalogue instead
// of as SQL: named queries (views and procedures), table and column renames,
// and column descriptions. Each takes one normalised statement (one line,
// single spaces) and works on the catalogue of the shared connection.
//
// Promises:
//  - p_CreateView / p_CreateProcedure first delete any view or procedure of
//    the same name (views and procedures share one name space), then append
//    the query text found after the first " AS " (any case). Any failure is
//    logged as "[err: modMain.p_CreateView] line L, NUMBER, DESCRIPTION" and
//    thrown again as DbError with the same number and description and the
//    procedure as source. A statement without a bracketed name or without
//    " AS " fails with number 100.
//  - p_RenameTable / p_RenameColumn answer true when the rename took place;
//    an unknown table or column is no error (false). They never throw: a
//    failure is logged through LogError and answers false.
//  - p_SetColumnDescription applies each "column = quoted text" pair in turn,
//    skipping unknown columns; it stops at the first empty description or
//    empty column name, and at the first failure (logged through LogError),
//    keeping what it already set. It never throws.
#pragma once

#include <QString>

namespace mt {

bool p_CreateView(const QString& statement);
bool p_CreateProcedure(const QString& statement);
bool p_RenameTable(const QString& statement);
bool p_RenameColumn(const QString& statement);
void p_SetColumnDescription(const QString& statement);

}  // namespace mt
