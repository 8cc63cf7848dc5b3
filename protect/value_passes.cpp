#include "protect/value_passes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include "app/globals.h"
#include "app/log.h"
#include "app/services.h"
#include "db/engine.h"
#include "db/file_replace.h"
#include "db/query.h"
#include "protect/cipher.h"
#include "protect/work_copy_check.h"

namespace mt {
namespace {

using Transform = QString (*)(const QString&);

enum class RowKey { Codes, Settings, UserAgents };

struct Column {
  const char* name;
  const char* assignment;  // also the text of its old-value condition after " AND"
};

struct Table {
  const char* name;
  const char* listing;
  const char* head;
  std::vector<Column> columns;
  RowKey key;
  QStringList lookup;  // the columns the row condition finds a row by, when not the rowid
};

const std::vector<Table>& Tables() {
  static const std::vector<Table> tables = {
      {"TCodes", "SELECT * FROM TCodes ORDER BY Code, Val", "UPDATE TCodes SET",
       {{"ValText", " ValText = "}, {"Description", " Description = "}, {"Tag", " Tag = "}},
       RowKey::Codes, {"Code", "Val"}},
      {"TSettings", "SELECT * FROM TSettings", "UPDATE TSettings SET",
       {{"Val1", " Val1 = "}, {"Val2", " Val2 = "}, {"Val3", " Val3 = "}, {"Alias", " Alias = "}},
       RowKey::Settings, {"ID"}},
      {"TUserAgentsRaw", "SELECT * FROM TUserAgentsRaw", "UPDATE TUserAgentsRaw SET",
       {{"UA", " UA = "}},
       RowKey::UserAgents, {}},
  };
  return tables;
}

// Ends the pass through the failure path without a log line of its own.
struct Abandoned {
  QString why;
};

QString Text(const QVariant& value) { return value.toString(); }  // Null reads as ""

QString RowCondition(const Table& table, const Recordset& rs) {
  switch (table.key) {
    case RowKey::Codes: {
      QString c = QStringLiteral(" WHERE Code LIKE ") + DBQuoteValue(rs.Value(QStringLiteral("Code"))) +
                  QStringLiteral(" AND Val = ") + Text(rs.Value(QStringLiteral("Val")));
      for (const Column& col : table.columns) {
        const QString old = Text(rs.Value(QString::fromLatin1(col.name)));
        if (!old.isEmpty())
          c += QStringLiteral(" AND") + QString::fromLatin1(col.assignment) + DBQuoteValue(old);
      }
      return c;
    }
    case RowKey::Settings:
      return QStringLiteral(" WHERE ID LIKE ") + DBQuoteValue(rs.Value(QStringLiteral("ID")));
    case RowKey::UserAgents:
      return QStringLiteral(" WHERE IDX = ") + Text(rs.Value(QStringLiteral("IDX")));
  }
  return {};
}

void RequireChangesTaken();

void ProcessTable(const Table& table, Transform transform, const RowProgress& rowDone, qint64& rows) {
  std::unique_ptr<Recordset> rs = DBOpenRecordset(QString::fromLatin1(table.listing),
                                                  static_cast<int>(CursorType::ForwardOnly),
                                                  static_cast<int>(LockType::ReadOnly), -1, 3);
  if (!DBHasRecords(rs.get()))
    throw Abandoned{QStringLiteral("%1 lists no rows").arg(QString::fromLatin1(table.name))};
  // Each row statement finds its row through an index of the work copy
  // instead of a scan of the table (which made a pass quadratic in its rows),
  // and the table's updates are one transaction: a kill or a failure throws
  // the whole copy away anyway, and a refused row is undone alone by SQLite.
  Connection& connection = *SharedConnection();
  if (!table.lookup.isEmpty()) connection.AddLookupIndex(QString::fromLatin1(table.name), table.lookup);
  connection.BeginTransaction();
  for (; !rs->Eof(); rs->MoveNext()) {
    if (rowDone) rowDone(++rows);
    KeepWindowPainted();
    QString assignments;
    for (const Column& col : table.columns) {
      const QString value = Text(rs->Value(QString::fromLatin1(col.name)));
      if (value.isEmpty()) continue;  // empty and Null values are never written
      const QString changed = transform(value);
      if (changed == value) continue;  // nothing to write
      if (!assignments.isEmpty()) assignments += QLatin1Char(',');
      assignments += QString::fromLatin1(col.assignment) + DBQuoteValue(changed);
    }
    if (assignments.isEmpty()) continue;
    const QString sql = QString::fromLatin1(table.head) + assignments + RowCondition(table, *rs);
    try {
      int32_t affected = 0;
      DBExecute(sql, affected);
    } catch (const DbError&) {
      // DBExecute has logged it. A row the engine refused (a constraint)
      // keeps its old values and the pass goes on; a copy that takes no more
      // changes at all (disk full, I/O error, read-only) would be swapped in
      // half processed, so the pass ends here.
      RequireChangesTaken();
    }
  }
  connection.CommitTransaction();
  rs->Close();
}

// Throws when the work copy refuses a write that changes nothing.
void RequireChangesTaken() {
  try {
    int32_t affected = 0;
    DBExecute(QStringLiteral("UPDATE TSettings SET Val1 = Val1 WHERE 1 = 0"), affected);
  } catch (const DbError& e) {
    throw DbError(e.code(), QStringLiteral("The work copy takes no more changes: ") + e.description());
  }
}

QString WorkCopyPath() {
  const QString stamp = services().clock->Now().toString(QStringLiteral("yyyyMMddHHmmss"));
  return WorkingFilePath(ProgramFolder(),
                         Globals().AppName + QStringLiteral("_backup_en_") + stamp + QStringLiteral(".mdb"),
                         Globals().DBPath);
}

void CopyDatabase(const QString& from, const QString& to) {
  // A log beside the database holds changes a plain file copy would miss.
  RefuseOpenDatabase(from);
  // The name carries the current second, so a run killed during its pass and
  // started again within that second finds the killed run's work copy here.
  // That copy is a stale working file (the database is whole at its own
  // path); it goes, and its "-wal" and "-shm" with it: a stale log beside the
  // fresh copy would be replayed into it. What cannot be deleted (a folder,
  // a file without permission) fails the pass.
  const bool leftover = QFileInfo::exists(to) || QFileInfo::exists(to + QStringLiteral("-wal")) ||
                        QFileInfo::exists(to + QStringLiteral("-shm"));
  if (leftover && !RemoveDatabaseFiles(to))
    throw DbError(kFileAccessError, QStringLiteral("Cannot delete the leftover work copy %1").arg(to));
  CopyWholeFile(from, to);
}

ValuePassResult RunPass(const QString& procedure, Transform transform, bool withUserAgents,
                        bool encrypting, const RowProgress& rowDone = {}) {
  qint64 rows = 0;
  WriteLog(procedure + QStringLiteral(" Start"));
  Clock& clock = *services().clock;
  const QString dbPath = Globals().DBPath;
  ReleaseSharedConnection();

  ValuePassResult result;
  const QString work = WorkCopyPath();
  bool copied = false;
  try {
    CopyDatabase(dbPath, work);
    copied = true;
    clock.Sleep(3000);
    if (!DBGetConnection(work)) throw Abandoned{QStringLiteral("Cannot open the work copy ") + work};
    for (const Table& table : Tables()) {
      if (table.key == RowKey::UserAgents && !withUserAgents) continue;
      ProcessTable(table, transform, rowDone, rows);
    }
    if (encrypting) {
      if (!DBSetSetting(QStringLiteral("IsDBEn"), QStringLiteral("1"), QString(), QString(), true))
        throw DbError(kFileAccessError, QStringLiteral("The marker IsDBEn could not be written"));
    } else {
      int32_t affected = 0;
      DBExecute(QStringLiteral("UPDATE TSettings SET Val1=\"0\" WHERE ID LIKE 'IsDBEn'"), affected);
    }
    // Closed, the copy is one file: check that file before it may take the
    // database's place.
    ReleaseSharedConnection();
    const QString problem = WorkCopyProblem(work, encrypting);
    if (!problem.isEmpty()) throw DbError(kFileAccessError, problem);
    result.ok = true;
  } catch (const Abandoned& a) {
    result.description = a.why;
  } catch (...) {
    const CaughtError e = CurrentError();
    result.code = e.number;
    result.description = e.description;
    LogError(procedure, e.number, e.description, 0);
  }

  ReleaseSharedConnection();
  if (!result.ok) {
    if (copied) RemoveDatabaseFiles(work);
  } else {
    // From here on failures are not the pass's: the database stays as it
    // was unless the processed copy has taken its place.
    FileReplacement replacement(work, dbPath);
    QString swapError;
    clock.Sleep(1000);
    try {
      replacement.Stage();
    } catch (const DbError& e) {
      swapError = e.description();
    }
    clock.Sleep(3000);
    if (swapError.isEmpty()) {
      try {
        replacement.Commit();
      } catch (const DbError& e) {
        swapError = e.description();
      }
    }
    clock.Sleep(3000);
    if (!swapError.isEmpty()) {
      WriteLog(procedure + QStringLiteral(" could not replace the database: ") + swapError);
      RemoveDatabaseFiles(work);
      result = {false, kFileAccessError, swapError};
    }
  }
  WriteLog(procedure + QStringLiteral(" End"));
  return result;
}

// A value that already opens under the program's key is protected already:
// it never gets a second layer.
QString EncryptUnlessProtected(const QString& value) {
  return IsProtectedValue(value) ? value : DBEncryptValue(value);
}

}  // namespace

ValuePassResult EncryptDatabaseValues(const RowProgress& rowDone) {
  return RunPass(QStringLiteral("modMain.p_DBEncrypt"), &EncryptUnlessProtected, true, true, rowDone);
}

ValuePassResult DecryptDatabaseValues(int32_t version, const RowProgress& rowDone) {
  return RunPass(QStringLiteral("modMain.p_DBDecrypt"), &DBDecryptValue, version >= 318, false, rowDone);
}

void p_DBEncrypt() { EncryptDatabaseValues(); }

void p_DBDecrypt(int32_t version) { DecryptDatabaseValues(version); }

}  // namespace mt
