// The bare SQLCipher floor of a value pass, shared by the benchmarks: the
// rows of the protected tables read back, and the same row updates made
// without the engine (the file copied, every row of the tables read, each
// row updated to the values the pass wrote by its rowid, an indexed key, one
// UPDATE at a time in one transaction, then checkpointed into the file). The
// floor does no cryptography; the ratio is how far a pass is from the
// storage work.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "bench/bench_support.h"
#include "db/query.h"

namespace mt::bench {

struct ProtectedTable {
  const char* table;
  const char* columns;  // the protected columns, in order
  int count;
};
inline const std::vector<ProtectedTable> kProtectedTables = {
    {"TCodes", "ValText, Description, Tag", 3},
    {"TSettings", "Val1, Val2, Val3, Alias", 4},
    {"TUserAgentsRaw", "UA", 1},
};
// The tables a pass visits below version 318, where TUserAgentsRaw does not exist.
inline std::vector<ProtectedTable> ProtectedTablesBefore318() {
  return {kProtectedTables[0], kProtectedTables[1]};
}

using Rows = std::vector<std::vector<QString>>;

// Every row of the tables (table, rowid and protected columns), in rowid order.
inline Rows ReadRows(const QString& path, const std::vector<ProtectedTable>& tables = kProtectedTables) {
  sqlite3* db = BareOpen(path, DatabasePassword());
  Rows rows;
  for (const ProtectedTable& t : tables) {
    const QByteArray sql = QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid").arg(t.columns, t.table).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) BareFailed(db, sql.constData());
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<QString> row{QString::fromLatin1(t.table)};
      for (int c = 0; c <= t.count; ++c)
        row.push_back(sqlite3_column_type(stmt, c) == SQLITE_NULL
                          ? QStringLiteral("\\N")
                          : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c))));
      rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
  }
  BareExec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
  sqlite3_close(db);
  return rows;
}

// The floor: copy input to work, read every row, write target's values back by rowid.
inline Timing ValuePassFloor(const QString& input, const QString& work, const Rows& target,
                             const std::vector<ProtectedTable>& tables = kProtectedTables) {
  QFile::remove(work);
  Stopwatch watch;
  if (!QFile::copy(input, work)) BareFailed(nullptr, "copy");
  sqlite3* db = BareOpen(work, DatabasePassword());
  for (const ProtectedTable& t : tables)
    BareStep(db, QStringLiteral("SELECT * FROM %1").arg(QString::fromLatin1(t.table)).toUtf8());
  BareExec(db, QStringLiteral("BEGIN"));
  std::vector<std::pair<QString, sqlite3_stmt*>> updates;
  for (const ProtectedTable& t : tables) {
    QString set;
    const QStringList columns = QString::fromLatin1(t.columns).split(QStringLiteral(", "));
    for (int c = 0; c < columns.size(); ++c) set += QStringLiteral("%1%2 = ?%3").arg(c ? ", " : "", columns[c]).arg(c + 1);
    const QByteArray sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3").arg(t.table, set).arg(columns.size() + 1).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) BareFailed(db, sql.constData());
    updates.push_back({QString::fromLatin1(t.table), stmt});
  }
  for (const auto& row : target) {
    sqlite3_stmt* stmt = nullptr;
    for (const auto& [table, s] : updates)
      if (table == row[0]) stmt = s;
    const int n = int(row.size()) - 2;
    for (int c = 0; c < n; ++c) {
      const QByteArray v = row[size_t(c) + 2].toUtf8();
      if (v == "\\N") sqlite3_bind_null(stmt, c + 1);
      else sqlite3_bind_text(stmt, c + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    sqlite3_bind_int64(stmt, n + 1, row[1].toLongLong());
    if (sqlite3_step(stmt) != SQLITE_DONE) BareFailed(db, "update");
    sqlite3_reset(stmt);
  }
  for (const auto& u : updates) sqlite3_finalize(u.second);
  BareExec(db, QStringLiteral("COMMIT"));
  BareExec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
  BareExec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
  sqlite3_close(db);
  return watch.Stop();
}

}  // namespace mt::bench
