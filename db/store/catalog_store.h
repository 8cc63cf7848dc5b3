// The engine's catalogue inside the database file: the Jet model of every
// table (column types, sizes, WITH COMPRESSION, NOT NULL, DEFAULT texts,
// descriptions, named keys) and the named queries (views and procedures, one
// name space, kept as their Jet SQL text).
//
// Tables (hidden from the schema listing, like every name starting "_mt_"):
//   _mt_columns(tbl, ord, col, jet_type, size, compression, not_null, default_jet, description)
//   _mt_keys(tbl, name, kind, ord, col)
//   _mt_queries(name, kind, jet_sql)            kind: 'view' | 'procedure'
//
// Promises:
//  - Names are matched case-insensitively, as Jet matches them.
//  - The SQLite schema is the truth about which tables and columns exist: a
//    table or column the catalogue does not describe (made outside the engine)
//    is described from its declared SQLite type, so it is never "absent".
//  - Lookups are served from memory; the cache follows changes made through
//    this object and reloads when another connection changed the file.
//  - Writes happen inside the caller's savepoint; after a rolled-back change
//    the caller calls Invalidate().
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "db/jetsql/schema_model.h"

namespace mt::engine {

class SqliteDb;

struct TableInfo {
  TableDef def;
  std::vector<QString> descriptions;  // parallel to def.columns; empty = none
  bool catalogued = false;            // false: described from SQLite alone
};

enum class QueryKind { View, Procedure };

struct NamedQuery {
  QString name;
  QueryKind kind = QueryKind::View;
  QString jetSql;
};

bool IsInternalName(const QString& name);  // "_mt_..." and "sqlite_..."

class CatalogStore {
 public:
  explicit CatalogStore(SqliteDb& db) : db_(db) {}

  // Creates the catalogue tables when the file has none yet.
  void EnsureTables();

  // The table of that name (any case), or nullptr.
  const TableInfo* FindTable(const QString& name);
  // User tables in name order (case-insensitive).
  QStringList TableNames();

  // Replaces the stored model of `oldName` (or of info.def.name) by `info`.
  void SaveTable(const TableInfo& info, const QString& oldName = QString());
  void RemoveTable(const QString& name);
  void SetDescription(const QString& table, const QString& column, const QString& text);

  std::optional<NamedQuery> FindQuery(const QString& name);
  std::vector<NamedQuery> Queries();  // name order
  void SaveQuery(const NamedQuery& query);
  void RemoveQuery(const QString& name);

  void Invalidate();

 private:
  bool HasCatalogTables();
  void CheckExternalChanges();
  std::optional<TableInfo> LoadTable(const QString& name);

  SqliteDb& db_;
  std::map<QString, std::optional<TableInfo>> tables_;  // key: lower-case name
  std::optional<std::vector<NamedQuery>> queries_;
  int hasTables_ = -1;  // -1 unknown
  qint64 dataVersion_ = -1;
  uint64_t checkedIn_ = 0;  // the held transaction already checked, if any
};

}  // namespace mt::engine
