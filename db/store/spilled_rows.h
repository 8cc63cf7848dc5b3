// Rows of a result kept on disk instead of in memory, for a recordset that
// must keep rows it has not handed out yet.
//
// Promises:
//  - The rows live in a private temporary database of their own (a deleted
//    file, gone when the object is), encrypted with a random key that never
//    leaves this process, and outside every transaction of the database they
//    were read from: nothing done there undoes them.
//  - Add() copies the current row of a statement, every column with its
//    SQLite type and value exactly; Next() gives the rows back in the order
//    they were added, as the current row of row(), so they read as they did
//    in the statement. All rows are added before the first Next().
//  - Memory stays at a page cache of about a megabyte whatever the rows.
//  - Failures throw DbError.
#pragma once

#include <cstdint>

#include "db/store/sqlite_db.h"

namespace mt::engine {

class SpilledRows {
 public:
  explicit SpilledRows(int columns);

  void Add(sqlite3_stmt* from);
  // Steps to the next row; false after the last.
  bool Next();
  sqlite3_stmt* row() const { return read_.get(); }

 private:
  int columns_;
  SqliteDb db_;
  Stmt insert_;
  Stmt read_;
};

}  // namespace mt::engine
