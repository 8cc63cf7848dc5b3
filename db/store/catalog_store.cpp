#include "db/store/catalog_store.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <algorithm>

#include "db/store/column_storage.h"
#include "db/engine.h"
#include "db/store/sqlite_db.h"
#include "db/store/table_sql.h"

namespace mt::engine {
namespace {

const char kCreateCatalog[] =
    "CREATE TABLE IF NOT EXISTS _mt_columns ("
    " tbl TEXT NOT NULL COLLATE NOCASE, ord INTEGER NOT NULL, col TEXT NOT NULL COLLATE NOCASE,"
    " jet_type TEXT NOT NULL, size INTEGER, compression INTEGER NOT NULL DEFAULT 0,"
    " not_null INTEGER NOT NULL DEFAULT 0, default_jet TEXT, description TEXT,"
    " PRIMARY KEY (tbl, col));"
    "CREATE TABLE IF NOT EXISTS _mt_keys ("
    " tbl TEXT NOT NULL COLLATE NOCASE, name TEXT NOT NULL COLLATE NOCASE, kind TEXT NOT NULL,"
    " ord INTEGER NOT NULL, col TEXT NOT NULL, PRIMARY KEY (tbl, name, ord));"
    "CREATE TABLE IF NOT EXISTS _mt_queries ("
    " name TEXT NOT NULL PRIMARY KEY COLLATE NOCASE, kind TEXT NOT NULL, jet_sql TEXT NOT NULL);";

// One row of _mt_columns, as SaveTable writes it.
struct ColumnRow {
  int64_t ord = 0;
  QString col;
  QString jetType;
  std::optional<int64_t> size;
  bool compression = false;
  bool notNull = false;
  std::optional<QString> defaultJet;
  QString description;

  static ColumnRow Of(const TableInfo& info, size_t i) {
    const ColumnDef& c = info.def.columns[i];
    ColumnRow row;
    row.ord = int64_t(i);
    row.col = c.name;
    row.jetType = JetTypeKeyword(c.type);
    if (c.type == JetType::Text || c.type == JetType::Binary)
      row.size = c.size;
    else if (c.type == JetType::Decimal)
      row.size = int64_t(c.size) * 100 + c.scale;
    row.compression = c.compression;
    row.notNull = c.notNull;
    if (c.defaultValue) row.defaultJet = c.defaultValue->jetText;
    if (i < info.descriptions.size()) row.description = info.descriptions[i];
    return row;
  }
  bool operator==(const ColumnRow&) const = default;
};

bool SameKeys(const std::vector<KeyDef>& a, const std::vector<KeyDef>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const KeyDef& x, const KeyDef& y) {
    return x.name == y.name && x.kind == y.kind && x.columns == y.columns;
  });
}

bool LessNoCase(const QString& a, const QString& b) {
  int c = a.compare(b, Qt::CaseInsensitive);
  return c != 0 ? c < 0 : a < b;
}

// A DEFAULT clause of a table made outside the engine, as Jet text.
std::optional<DefaultDef> JetDefaultFromSql(const QString& sql) {
  QString t = sql.trimmed();
  if (t.isEmpty() || t.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) return std::nullopt;
  if (t.contains(QLatin1String("julianday"), Qt::CaseInsensitive)) {
    if (t.contains(QLatin1String("start of day"))) return DefaultDef{QStringLiteral("Date()")};
    return DefaultDef{QStringLiteral("Now()")};
  }
  if (t.size() >= 2 && t.front() == QLatin1Char('\'') && t.back() == QLatin1Char('\'')) {
    QString inner = t.mid(1, t.size() - 2);
    inner.replace(QLatin1String("''"), QLatin1String("'"));
    inner.replace(QLatin1String("\""), QLatin1String("\"\""));
    return DefaultDef{QLatin1Char('"') + inner + QLatin1Char('"')};
  }
  return DefaultDef{t};
}

}  // namespace

bool IsInternalName(const QString& name) {
  return name.startsWith(QLatin1String("_mt_"), Qt::CaseInsensitive) ||
         name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

bool CatalogStore::HasCatalogTables() {
  if (hasTables_ < 0) {
    QVariant n = db_.ScalarOrNull(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '_mt_columns'"));
    hasTables_ = n.toLongLong() > 0 ? 1 : 0;
  }
  return hasTables_ == 1;
}

void CatalogStore::EnsureTables() {
  if (HasCatalogTables()) return;
  db_.Exec(QString::fromLatin1(kCreateCatalog));
  hasTables_ = 1;
}

void CatalogStore::Invalidate() {
  tables_.clear();
  queries_.reset();
  hasTables_ = -1;
}

void CatalogStore::CheckExternalChanges() {
  // Inside the caller's write transaction no other connection commits: one
  // look at its start will do (the upgrade looks up a table for nearly every
  // statement).
  const bool writing = db_.HoldsTransaction() && db_.InTransaction();
  if (writing && checkedIn_ == db_.TransactionSerial()) return;
  if (writing) checkedIn_ = db_.TransactionSerial();
  sqlite3_stmt* stmt = db_.Cached("PRAGMA data_version").get();
  qint64 version = -1;
  if (sqlite3_step(stmt) == SQLITE_ROW) version = sqlite3_column_int64(stmt, 0);
  sqlite3_reset(stmt);
  if (version != dataVersion_) {
    Invalidate();
    dataVersion_ = version;
  }
}

std::optional<TableInfo> CatalogStore::LoadTable(const QString& name) {
  if (IsInternalName(name)) return std::nullopt;
  Stmt master = db_.Prepare(QStringLiteral(
      "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
  master.Bind(1, name);
  if (!master.Step()) return std::nullopt;
  TableInfo info;
  info.def.name = master.Text(0);
  const QString createSql = master.Text(1);

  struct Catalogued {
    ColumnDef column;
    QString description;
  };
  std::map<QString, Catalogued> stored;
  if (HasCatalogTables()) {
    Stmt cols = db_.Prepare(QStringLiteral(
        "SELECT col, jet_type, size, compression, not_null, default_jet, description "
        "FROM _mt_columns WHERE tbl = ?1 ORDER BY ord"));
    cols.Bind(1, info.def.name);
    while (cols.Step()) {
      Catalogued c;
      c.column.name = cols.Text(0);
      c.column.type = JetTypeFromKeyword(cols.Text(1)).value_or(JetType::Memo);
      c.column.size = cols.IsNull(2) ? 255 : int(cols.Int(2));
      if (c.column.type == JetType::Decimal) {  // stored as precision * 100 + scale
        c.column.scale = c.column.size % 100;
        c.column.size /= 100;
      }
      c.column.compression = cols.Int(3) != 0;
      c.column.notNull = cols.Int(4) != 0;
      if (!cols.IsNull(5)) c.column.defaultValue = DefaultDef{cols.Text(5)};
      c.description = cols.Text(6);
      stored.emplace(NameKey(c.column.name), std::move(c));
    }
  }

  // The SQLite table decides which columns exist and in which order.
  Stmt pragma = db_.Prepare(QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdent(info.def.name)));
  int pkCount = 0;
  QString pkColumn;
  QString pkDeclared;
  std::vector<std::pair<int, QString>> pkParts;
  bool allStored = true;
  while (pragma.Step()) {
    QString col = pragma.Text(1);
    QString declared = pragma.Text(2);
    int pk = int(pragma.Int(5));
    if (pk > 0) {
      ++pkCount;
      pkColumn = col;
      pkDeclared = declared;
      pkParts.emplace_back(pk, col);
    }
    auto it = stored.find(NameKey(col));
    if (it != stored.end()) {
      ColumnDef c = it->second.column;
      c.name = col;
      info.def.columns.push_back(c);
      info.descriptions.push_back(it->second.description);
      continue;
    }
    allStored = false;
    ColumnDef c;
    c.name = col;
    int size = 255;
    c.type = JetTypeFromDeclared(declared, &size);
    c.size = size;
    c.notNull = pragma.Int(3) != 0;
    if (!pragma.IsNull(4)) c.defaultValue = JetDefaultFromSql(pragma.Text(4));
    info.def.columns.push_back(c);
    info.descriptions.emplace_back();
  }
  info.catalogued = allStored && !info.def.columns.empty();

  if (info.catalogued) {
    Stmt keys = db_.Prepare(QStringLiteral(
        "SELECT name, kind, col FROM _mt_keys WHERE tbl = ?1 ORDER BY rowid"));
    keys.Bind(1, info.def.name);
    while (keys.Step()) {
      QString keyName = keys.Text(0);
      int k = FindKey(info.def, keyName);
      if (k < 0) {
        KeyDef key;
        key.name = keyName;
        key.kind = keys.Text(1) == QLatin1String("PRIMARY") ? KeyKind::PrimaryKey : KeyKind::Unique;
        info.def.keys.push_back(key);
        k = int(info.def.keys.size()) - 1;
      }
      info.def.keys[k].columns << keys.Text(2);
    }
    return info;
  }

  // Described from SQLite alone: the rowid alias, the primary key and the
  // unique indexes become the Jet model.
  bool autoinc = createSql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
  if (pkCount == 1 && pkDeclared.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0 &&
      autoinc) {
    int c = FindColumn(info.def, pkColumn);
    if (c >= 0) info.def.columns[c].type = JetType::AutoIncrement;
  }
  if (pkCount > 0) {
    std::sort(pkParts.begin(), pkParts.end());
    KeyDef key;
    key.name = QStringLiteral("PrimaryKey");
    for (auto& [ord, col] : pkParts) key.columns << col;
    info.def.keys.push_back(key);
  }
  Stmt indexes = db_.Prepare(QStringLiteral("PRAGMA index_list(%1)").arg(QuoteIdent(info.def.name)));
  std::vector<QString> uniqueIndexes;
  while (indexes.Step()) {
    // seq, name, unique, origin, partial
    if (indexes.Int(2) != 0 && indexes.Text(3) != QLatin1String("pk"))
      uniqueIndexes.push_back(indexes.Text(1));
  }
  for (const QString& index : uniqueIndexes) {
    KeyDef key;
    key.kind = KeyKind::Unique;
    key.name = index.startsWith(QLatin1String("sqlite_autoindex_")) ? QStringLiteral("Unique%1").arg(info.def.keys.size()) : index;
    Stmt cols = db_.Prepare(QStringLiteral("PRAGMA index_info(%1)").arg(QuoteIdent(index)));
    while (cols.Step()) key.columns << cols.Text(2);
    info.def.keys.push_back(key);
  }
  return info;
}

const TableInfo* CatalogStore::FindTable(const QString& name) {
  CheckExternalChanges();
  QString key = NameKey(name);
  auto it = tables_.find(key);
  if (it == tables_.end()) it = tables_.emplace(key, LoadTable(name)).first;
  return it->second ? &*it->second : nullptr;
}

QStringList CatalogStore::TableNames() {
  Stmt stmt = db_.Prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
  QStringList names;
  while (stmt.Step()) {
    QString n = stmt.Text(0);
    if (!IsInternalName(n)) names << n;
  }
  std::sort(names.begin(), names.end(), LessNoCase);
  return names;
}

void CatalogStore::SaveTable(const TableInfo& info, const QString& oldName) {
  EnsureTables();
  const QString old = oldName.isEmpty() ? info.def.name : oldName;
  // The catalogue as it stands, when this table's rows are known: then only
  // the rows that differ are written (a column added is one row, not all).
  const auto cached = tables_.find(NameKey(old));
  // (A rename, even of the letter case only, rewrites every row.)
  const TableInfo* stored =
      cached != tables_.end() && cached->second && cached->second->catalogued && old == info.def.name &&
              cached->second->def.name == info.def.name
          ? &*cached->second
          : nullptr;
  // The rows to write: all, or those that differ from the stored ones. A
  // stored row that differs or whose column is gone is deleted first, so
  // that every row goes in by a plain INSERT: INSERT OR REPLACE would give
  // each row a statement journal, and SQLCipher encrypts every page written
  // to it.
  std::vector<size_t> rows;
  std::vector<QString> stale;
  if (stored) {
    std::vector<bool> kept(stored->def.columns.size());
    for (size_t i = 0; i < info.def.columns.size(); ++i) {
      // Columns mostly keep their place; a name is searched for only when not.
      const QString& name = info.def.columns[i].name;
      const auto same = [&](size_t j) {
        return SameName(stored->def.columns[j].name, name);
      };
      size_t j = i < kept.size() && same(i) ? i : 0;
      while (j < kept.size() && !same(j)) ++j;
      if (j < kept.size()) {
        kept[j] = true;
        if (ColumnRow::Of(*stored, j) == ColumnRow::Of(info, i)) continue;
        stale.push_back(stored->def.columns[j].name);
      }
      rows.push_back(i);
    }
    for (size_t j = 0; j < kept.size(); ++j)
      if (!kept[j]) stale.push_back(stored->def.columns[j].name);
  } else {
    for (const char* sql : {"DELETE FROM _mt_columns WHERE tbl = ?1", "DELETE FROM _mt_keys WHERE tbl = ?1"}) {
      Stmt& del = db_.Cached(sql);
      del.Bind(1, old);
      del.Run();
    }
    for (size_t i = 0; i < info.def.columns.size(); ++i) rows.push_back(i);
  }
  if (!stale.empty()) {
    Stmt& del = db_.Cached("DELETE FROM _mt_columns WHERE tbl = ?1 AND col = ?2");
    for (const QString& col : stale) {
      del.Reset();
      del.Bind(1, old);
      del.Bind(2, col);
      del.Run();
    }
  }
  if (!rows.empty()) {
    Stmt& ins = db_.Cached(
        "INSERT INTO _mt_columns (tbl, ord, col, jet_type, size, compression, not_null, "
        "default_jet, description) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (size_t i : rows) {
      const ColumnRow row = ColumnRow::Of(info, i);
      ins.Reset();
      ins.Bind(1, info.def.name);
      ins.Bind(2, row.ord);
      ins.Bind(3, row.col);
      ins.Bind(4, row.jetType);
      if (row.size) ins.Bind(5, *row.size); else ins.BindNull(5);
      ins.Bind(6, int64_t(row.compression ? 1 : 0));
      ins.Bind(7, int64_t(row.notNull ? 1 : 0));
      if (row.defaultJet) ins.Bind(8, *row.defaultJet); else ins.BindNull(8);
      if (row.description.isEmpty()) ins.BindNull(9); else ins.Bind(9, row.description);
      ins.Run();
    }
  }
  if (!stored || !SameKeys(stored->def.keys, info.def.keys)) {
    if (stored) {
      Stmt& del = db_.Cached("DELETE FROM _mt_keys WHERE tbl = ?1");
      del.Bind(1, old);
      del.Run();
    }
    Stmt& key = db_.Cached(
        "INSERT INTO _mt_keys (tbl, name, kind, ord, col) VALUES (?1, ?2, ?3, ?4, ?5)");
    for (const KeyDef& k : info.def.keys) {
      for (int j = 0; j < k.columns.size(); ++j) {
        key.Reset();
        key.Bind(1, info.def.name);
        key.Bind(2, k.name);
        key.Bind(3, k.kind == KeyKind::PrimaryKey ? QStringLiteral("PRIMARY") : QStringLiteral("UNIQUE"));
        key.Bind(4, int64_t(j));
        key.Bind(5, k.columns[j]);
        key.Run();
      }
    }
  }
  TableInfo saved = info;
  saved.catalogued = true;
  saved.descriptions.resize(saved.def.columns.size());
  tables_.erase(NameKey(old));
  tables_[NameKey(info.def.name)] = std::move(saved);
}

void CatalogStore::RemoveTable(const QString& name) {
  if (HasCatalogTables()) {
    for (const char* sql : {"DELETE FROM _mt_columns WHERE tbl = ?1", "DELETE FROM _mt_keys WHERE tbl = ?1"}) {
      Stmt& del = db_.Cached(sql);
      del.Bind(1, name);
      del.Run();
    }
  }
  tables_[NameKey(name)] = std::nullopt;
}

void CatalogStore::SetDescription(const QString& table, const QString& column, const QString& text) {
  const TableInfo* found = FindTable(table);
  if (!found) throw DbError(dberr::kNotFound, QStringLiteral("Table '%1' does not exist.").arg(table));
  int c = FindColumn(found->def, column);
  if (c < 0)
    throw DbError(dberr::kNotFound,
                  QStringLiteral("Field '%1' does not exist in table '%2'.").arg(column, found->def.name));
  if (!found->catalogued) {
    TableInfo info = *found;
    info.descriptions[c] = text;
    SaveTable(info);
    return;
  }
  // A catalogued table changes in one row. (SaveTable would find that row
  // too, but only after comparing every column; the upgrade sets 651
  // descriptions, and that comparison costs it about 5 %.)
  Stmt& update = db_.Cached("UPDATE _mt_columns SET description = ?1 WHERE tbl = ?2 AND col = ?3");
  if (text.isEmpty()) update.BindNull(1); else update.Bind(1, text);
  update.Bind(2, found->def.name);
  update.Bind(3, found->def.columns[c].name);
  update.Run();
  tables_[NameKey(found->def.name)]->descriptions[c] = text;
}

std::optional<NamedQuery> CatalogStore::FindQuery(const QString& name) {
  for (const NamedQuery& q : Queries())
    if (q.name.compare(name, Qt::CaseInsensitive) == 0) return q;
  return std::nullopt;
}

std::vector<NamedQuery> CatalogStore::Queries() {
  CheckExternalChanges();
  if (!queries_) {
    std::vector<NamedQuery> list;
    if (HasCatalogTables()) {
      Stmt stmt = db_.Prepare(QStringLiteral("SELECT name, kind, jet_sql FROM _mt_queries"));
      while (stmt.Step()) {
        NamedQuery q;
        q.name = stmt.Text(0);
        q.kind = stmt.Text(1) == QLatin1String("procedure") ? QueryKind::Procedure : QueryKind::View;
        q.jetSql = stmt.Text(2);
        list.push_back(q);
      }
    }
    std::sort(list.begin(), list.end(),
              [](const NamedQuery& a, const NamedQuery& b) { return LessNoCase(a.name, b.name); });
    queries_ = std::move(list);
  }
  return *queries_;
}

void CatalogStore::SaveQuery(const NamedQuery& query) {
  EnsureTables();
  Stmt& stmt = db_.Cached(
      "INSERT OR REPLACE INTO _mt_queries (name, kind, jet_sql) VALUES (?1, ?2, ?3)");
  stmt.Bind(1, query.name);
  stmt.Bind(2, query.kind == QueryKind::Procedure ? QStringLiteral("procedure") : QStringLiteral("view"));
  stmt.Bind(3, query.jetSql);
  stmt.Run();
  queries_.reset();
}

void CatalogStore::RemoveQuery(const QString& name) {
  if (!HasCatalogTables()) return;
  Stmt& stmt = db_.Cached("DELETE FROM _mt_queries WHERE name = ?1");
  stmt.Bind(1, name);
  stmt.Run();
  queries_.reset();
}

}  // namespace mt::engine
