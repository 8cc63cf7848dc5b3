// Brings a real Jet 3 / Jet 4 database file into a new database of our
// engine: every user table with its columns (Jet types, NOT NULL, defaults,
// WITH COMPRESSION, descriptions), its primary and unique keys and all its
// rows with exact values, then the saved queries as views and procedures.
//
// Promises:
//  - The source is only read; it is byte for byte the same afterwards.
//  - The destination must not exist. The database is built in a work file
//    beside it ("DEST.importing") and gets the destination's name only when
//    complete, so a failure, a crash or a kill never leaves a half-imported
//    DEST; a failure also removes the work file. A DEST that appears while
//    the import runs is never replaced.
//  - Any failure throws mt::DbError; the description names the table and
//    column when one is concerned. A source that is missing, empty, truncated
//    or no Jet database fails before anything is created.
//  - A query whose text cannot be rebuilt is reported through `note` and left
//    out; the import goes on.
#pragma once

#include <QString>
#include <functional>

namespace mt::jetimport {

struct ImportReport {
  // One call per table as it is done, and one per remark (skipped queries,
  // defaults left out, linked tables).
  std::function<void(const QString& table, qint64 rows)> tableDone;
  std::function<void(const QString& text)> note;
  // Now and then while a table's rows are copied: the rows so far.
  std::function<void(const QString& table, qint64 rows)> rowsCopied;
};

struct ImportSummary {
  QString format;  // "Jet 3" or "Jet 4"
  int tables = 0;
  qint64 rows = 0;
  int views = 0;
  int procedures = 0;
  int skippedQueries = 0;
};

ImportSummary ImportJetDatabase(const QString& source, const QString& dest, const QString& password,
                                const ImportReport& report);

}  // namespace mt::jetimport
