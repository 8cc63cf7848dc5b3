// A scripted stand-in for the database engine: each database is a path with
// canned query results, an execute handler and a small catalogue, so tests of
// the connection layer, the run order and the upgrade engine control every
// answer and see every statement and catalogue change. Recordsets of canned
// rows take assigned values and report their Update and Save calls to their
// database.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "db/engine.h"

namespace mt::test {

struct ScriptedRows {
  QStringList columns;
  std::vector<std::vector<QVariant>> rows;
};

struct ScriptedDatabase {
  // Answers of OpenRecordset by exact statement text; other texts fail with
  // dberr::kNotFound.
  std::map<QString, ScriptedRows> queries;
  // Statements that fail, in Execute and OpenRecordset alike.
  std::map<QString, DbError> failing;
  // Execute's answer for statements not in failing; 0 records when unset.
  std::function<int32_t(const QString&)> onExecute;
  // When set, Open fails with this error.
  std::optional<DbError> openError;
  // When set, a recordset's Save fails with this error.
  std::optional<DbError> saveError;
  // What the connection's Damage() answers (empty: sound).
  QString damage;

  // The catalogue: tables with their columns, views and procedures with
  // their SQL, column descriptions by "table.column".
  std::map<QString, QStringList> tables;
  std::map<QString, QString> views, procedures, descriptions;
  QStringList catalogCalls;  // every change: "AppendView V", "RenameTable A", ...
  QString failCatalogCall;   // the change that fails, e.g. "RenameTable A"

  std::vector<QString> executed;  // every statement Execute received
  std::vector<std::vector<QVariant>> updated;  // every row a recordset's Update wrote
  int saves = 0;                  // calls of a recordset's Save
  std::vector<QString> passwords; // the password of every Open
  int opens = 0;
  int closes = 0;

  // Puts Val1 of a TSettings row where the run reads it; an invalid value
  // stands for Null, and erasing the query stands for a missing row.
  void SetSetting(const QString& id, const QVariant& val1);
  void RemoveSetting(const QString& id);
};

class ScriptedEngine : public Engine {
 public:
  // The database at path, created empty on first use.
  ScriptedDatabase& At(const QString& path) { return databases_[path]; }
  void Remove(const QString& path) { databases_.erase(path); }
  const std::vector<QString>& OpenedPaths() const { return opened_; }

  std::unique_ptr<Connection> Open(const QString& path, const QString& password) override;
  // It makes no files.
  std::unique_ptr<Connection> Create(const QString&, const QString&) override { throw Unsupported(); }
  void Compact(const QString&, const QString&, const QString&) override { throw Unsupported(); }

 private:
  static DbError Unsupported() { return DbError(dberr::kOpenFailed, QStringLiteral("The scripted engine makes no files")); }
  std::map<QString, ScriptedDatabase> databases_;
  std::vector<QString> opened_;
};

// The query text the run and IsDBEncrypt use to read Val1 of a settings row.
QString SettingQuery(const QString& id);

}  // namespace mt::test
