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
//    out; the import goes on. Every view made is run once; one that fails is
//    named through `note` with the engine's error, and is not counted as
//    running.
//  - libmdb reads the source in a child process under the limits of
//    `options.limits` (bounded_child.h): a source that makes it loop, flood
//    its output, run out of memory or crash fails the import with DbError
//    within those limits, and its own messages come through `note`, a few
//    lines at most.
//  - A key whose columns cannot be read, and a source protected by a
//    database password, are named through `note`.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "jetimport/bounded_child.h"

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
  int viewsThatRun = 0;
  int procedures = 0;
  int skippedQueries = 0;
};

struct ImportOptions {
  int codePage = 0;  // Jet 3 texts: a Windows code page (1252, 949, ...); 0: the file's own
  // None: 8 s without progress while libmdb reads, 120 s of CPU time plus 2 s
  // a megabyte of source, 2 GB of address space.
  std::optional<ChildLimits> limits;
};

ImportSummary ImportJetDatabase(const QString& source, const QString& dest, const QString& password,
                                const ImportReport& report, const ImportOptions& options = {});

}  // namespace mt::jetimport
