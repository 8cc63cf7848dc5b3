// A Jet 3 or Jet 4 database file (.mdb) read through libmdb: its user tables
// as engine table models, their rows as exact values, and the rows of its
// saved query definitions. This is the only part of the program that sees
// libmdb.
//
// Promises:
//  - The file is opened read-only and never written.
//  - Open() fails with DbError(kOpenFailed) for a missing, empty, truncated or
//    foreign file (jet_header.h), and for a catalogue that cannot be read or
//    holds fewer objects than it records, before anything else happens.
//  - Jet 3 texts are read in `codePage` (0: the one the file records, 1252
//    when it records none), object names too.
//  - Keys are read from the table definition's own bytes; a primary key or
//    unique index whose columns cannot be read is left out and named in the
//    table's notes.
//  - Values come in the form the engine stores them: Yes/No -1/0, whole
//    numbers qint64, SINGLE/FLOAT double, MONEY the stored count of
//    ten-thousandths (qint64, exact), dates the raw day number (double),
//    texts and memos QString decoded from the raw bytes (Jet 4 compressed
//    Unicode included, any length), OLE and binary QByteArray, GUID text
//    "{...}", DECIMAL exact decimal text. Null stays an invalid QVariant; an
//    empty text stays an empty text.
//  - Whatever cannot be carried exactly (a column type the engine has no
//    type for, a long value whose pages cannot be read, fewer rows than the
//    table records) fails with DbError naming table and column.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "db/jetsql/schema_model.h"

namespace mt::jetimport {

struct SourceTable {
  engine::TableDef def;
  QStringList descriptions;  // parallel to def.columns; empty = none
  QStringList notes;         // what the table model leaves out (defaults the dialect refuses)
};

// One row of the query definitions (MSysQueries).
struct QueryRow {
  int attribute = 0;
  int flag = 0;
  QString name1;
  QString name2;
  QString expression;
};

struct SourceQuery {
  QString name;
  std::vector<QueryRow> rows;
};

class JetFile {
 public:
  static std::unique_ptr<JetFile> Open(const QString& path, int codePage = 0);
  virtual ~JetFile() = default;

  virtual QString FormatName() const = 0;  // "Jet 3" or "Jet 4"
  virtual bool HasPassword() const = 0;
  // User tables in the file's catalogue order (no MSys tables, no links).
  virtual QStringList TableNames() = 0;
  // Names of linked tables (their rows live in another file).
  virtual QStringList LinkedTableNames() = 0;
  virtual SourceTable ReadTable(const QString& name) = 0;
  // Hands every row of the table, in column order, to `row`; returns the count.
  virtual qint64 ReadRows(const QString& name, const std::function<void(const std::vector<QVariant>&)>& row) = 0;
  virtual std::vector<SourceQuery> Queries() = 0;
};

}  // namespace mt::jetimport
