#include "db/store/schema_editor.h"

#include <sqlite3.h>

#include "db/store/catalog_guard.h"
#include "db/store/column_storage.h"
#include "db/engine.h"
#include "db/jetsql/jet_parser.h"
#include "db/store/sqlite_db.h"
#include "db/store/table_rebuild.h"
#include "db/store/table_sql.h"

namespace mt::engine {
namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::vector<QString> IdentitySources(const TableDef& def) {
  std::vector<QString> sources;
  for (const ColumnDef& c : def.columns) sources.push_back(QuoteIdent(c.name));
  return sources;
}

// The value of a column as the rebuild copies it into a column of another type.
QString ConvertedSource(const QString& column, JetType from, JetType to) {
  return QStringLiteral("_mt_convert(%1, '%2', '%3')")
      .arg(QuoteIdent(column), JetTypeKeyword(from), JetTypeKeyword(to));
}

[[noreturn]] void NoSuchField(const QString& column, const QString& table) {
  throw DbError(dberr::kNotFound,
                QStringLiteral("Field '%1' does not exist in table '%2'.").arg(column, table));
}

// The statement the SQLite view of this name was made with, if there is one.
std::optional<QString> SqliteViewStatement(SqliteDb& db, const QString& name) {
  Stmt stmt = db.Prepare(QStringLiteral(
      "SELECT sql FROM sqlite_master WHERE type = 'view' AND name = ?1 COLLATE NOCASE"));
  stmt.Bind(1, name);
  if (!stmt.Step()) return std::nullopt;
  return stmt.Text(0);
}

bool IsViewInSqlite(SqliteDb& db, const QString& name) { return SqliteViewStatement(db, name).has_value(); }

QString CreateViewStatement(const QString& name, const QString& sql) {
  return QStringLiteral("CREATE VIEW %1 AS %2").arg(QuoteIdent(name), sql);
}

// Whether SQLite can work out the view's columns: every name it reads
// resolves, unambiguously. Asked through PRAGMA table_info, which resolves
// the view's SELECT without planning it: a fraction of the cost of preparing
// a read of a view that joins many tables.
bool Resolves(SqliteDb& db, const QString& view) {
  try {
    db.Prepare(QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdent(view)));
    return true;
  } catch (const DbError&) {
    return false;
  }
}

// SQLite keeps the columns it worked out for a view until a table or view is
// dropped, and ALTER TABLE ... ADD COLUMN re-reads only the altered table: a
// view over t.* would go on counting t's old columns and fail to read
// ("expected N columns"), and a name the new column makes ambiguous would go
// unnoticed. Dropping a scratch view makes SQLite forget the columns of
// every view; far cheaper than dropping and making again each view, and
// cheaper than a scratch table, which takes a page and gives it back.
void ForgetViewColumns(SqliteDb& db) {
  db.Exec(QStringLiteral("CREATE VIEW _mt_forget_views AS SELECT 1"));
  db.Exec(QStringLiteral("DROP VIEW _mt_forget_views"));
}

}  // namespace

template <typename Fn>
void SchemaEditor::Atomically(Fn&& fn, Undo undo) {
  Settle();
  ++generation_;
  // A table that a statement is reading cannot be dropped (SQLite answers
  // "locked"): a failure of its own, which a savepoint undoes.
  if (undo == Undo::kTransaction && db_.HoldsTransaction() && !db_.HasActiveStatements()) {
    const SqliteDb::ChangeMark before = db_.Mark();
    // A failure that changed nothing (SQLite refused the first statement,
    // which is atomic on its own) leaves the transaction as it was.
    const auto lose = [&](const QString& why) {
      catalog_.Invalidate();
      if (!(db_.Mark() == before)) db_.LoseTransaction(why);
    };
    try {
      fn();
    } catch (const DbError& e) {
      lose(e.description());
      throw;
    } catch (...) {
      lose(QStringLiteral("an unexpected failure"));
      throw;
    }
    return;
  }
  try {
    Savepoint sp(db_, "mt_ddl");
    fn();
    sp.Release();
  } catch (...) {
    catalog_.Invalidate();
    throw;
  }
}

const TableInfo& SchemaEditor::RequireTable(const QString& name) {
  if (IsEngineObjectName(name)) throw DbError(dberr::kInvalidArg, CatalogRefusal(name));
  const TableInfo* info = catalog_.FindTable(name);
  if (!info) throw DbError(dberr::kNotFound, QStringLiteral("Table '%1' does not exist.").arg(name));
  return *info;
}

void SchemaEditor::RequireFreeName(const QString& name) {
  if (name.trimmed().isEmpty()) throw DbError(dberr::kSyntax, QStringLiteral("The name is empty."));
  if (IsInternalName(name))
    throw DbError(dberr::kSyntax, QStringLiteral("The name '%1' is reserved by the engine.").arg(name));
  if (catalog_.FindTable(name) || catalog_.FindQuery(name))
    throw DbError(dberr::kSyntax, QStringLiteral("Object '%1' already exists.").arg(name));
}

void SchemaEditor::Apply(const Command& command, bool waitForNext) {
  std::visit(Overloaded{
                 [](const SqlStatement&) {
                   throw DbError(dberr::kInvalidArg, QStringLiteral("Not a data-definition command."));
                 },
                 [this](const struct CreateTable& c) { CreateTable(c.table); },
                 [this](const struct DropTable& c) { DropTable(c.table); },
                 [this](const struct AddColumn& c) { AddColumn(c.table, c.column); },
                 [&](const struct DropColumn& c) { DropColumn(c.table, c.column, waitForNext); },
                 [this](const struct AlterColumn& c) { AlterColumn(c.table, c.column); },
                 [this](const struct AddConstraint& c) { AddConstraint(c.table, c.key); },
                 [this](const struct DropConstraint& c) { DropConstraint(c.table, c.name); },
                 [this](const struct DropProcedure& c) { DeleteQuery(c.name, std::nullopt); },
                 [this](const struct RenameTable& c) { RenameTable(c.from, c.to); },
             },
             command);
}

void SchemaEditor::CreateTable(const TableDef& table) {
  RequireFreeName(table.name);
  ValidateTable(table);
  TableInfo info;
  info.def = table;
  info.descriptions.resize(table.columns.size());
  Atomically([&] {
    catalog_.EnsureTables();
    db_.Exec(CreateTableSql(table, table.name));
    for (const QString& sql : BitTriggerSql(table)) db_.Exec(sql);
    catalog_.SaveTable(info);
    RefreshViews({table.name}, {table.name});
  });
}

void SchemaEditor::DropTable(const QString& table) {
  const QString name = RequireTable(table).def.name;
  Atomically([&] {
    for (const QString& sql : DropBitTriggerSql(name)) db_.Exec(sql);
    db_.Exec(QStringLiteral("DROP TABLE ") + QuoteIdent(name));
    catalog_.RemoveTable(name);
    RefreshViews({name}, {name});
  });
}

void SchemaEditor::AddColumn(const QString& table, const ColumnDef& column) {
  TableInfo info = RequireTable(table);
  if (FindColumn(info.def, column.name) >= 0)
    throw DbError(dberr::kSyntax, QStringLiteral("Field '%1' already exists in table '%2'.")
                                      .arg(column.name, info.def.name));
  TableInfo next = info;
  next.def.columns.push_back(column);
  next.descriptions.resize(next.def.columns.size());
  ValidateTable(next.def, &info.def);

  const DefaultSql def = DefaultClause(column);
  const bool needsValue = column.notNull && def.sql.isEmpty();
  const bool inPlace = column.type != JetType::AutoIncrement && def.constant && !needsValue;
  Atomically(
      [&] {
        if (inPlace) {
          QString sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                            .arg(QuoteIdent(info.def.name), QuoteIdent(column.name),
                                 DeclaredType(column.type, column.size));
          if (column.notNull) sql += QStringLiteral(" NOT NULL");
          if (!def.sql.isEmpty()) sql += QStringLiteral(" DEFAULT ") + def.sql;
          db_.Exec(sql);
          if (column.type == JetType::Bit) {
            for (const QString& s : DropBitTriggerSql(info.def.name)) db_.Exec(s);
            for (const QString& s : BitTriggerSql(next.def)) db_.Exec(s);
          }
          catalog_.SaveTable(next);
          for (const NamedQuery& q : ViewsMentioning({info.def.name}))
            if (q.jetSql.contains(QLatin1Char('*'))) {  // only a view over t.* counts t's columns
              ForgetViewColumns(db_);
              break;
            }
        } else {
          std::vector<QString> sources = IdentitySources(info.def);
          sources.push_back(needsValue ? ZeroValueSql(column.type) : QString());
          RebuildTable(db_, catalog_, info, next, sources);
        }
        RefreshViews({info.def.name}, {column.name});
      },
      Undo::kTransaction);
}

void SchemaEditor::Settle() {
  if (!waiting_) return;
  const WaitingRebuild w = std::move(*waiting_);
  waiting_.reset();
  ++generation_;
  try {
    RebuildTable(db_, catalog_, w.held, w.next, w.sources);
    RefreshViews({w.next.def.name}, w.changed);
  } catch (const DbError& e) {
    catalog_.Invalidate();
    db_.LoseTransaction(e.description());
    throw;
  } catch (...) {
    catalog_.Invalidate();
    db_.LoseTransaction(QStringLiteral("an unexpected failure"));
    throw;
  }
}

void SchemaEditor::Discard() {
  if (waiting_) catalog_.Invalidate();
  waiting_.reset();
}

void SchemaEditor::DropColumn(const QString& table, const QString& column, bool wait) {
  // Another table's rebuild is made first.
  if (waiting_ && catalog_.FindTable(table) != catalog_.FindTable(waiting_->next.def.name)) Settle();
  TableInfo info = RequireTable(table);
  const int c = FindColumn(info.def, column);
  if (c < 0) NoSuchField(column, info.def.name);
  for (const KeyDef& k : info.def.keys)
    for (const QString& kc : k.columns)
      if (kc.compare(column, Qt::CaseInsensitive) == 0)
        throw DbError(dberr::kConstraint,
                      QStringLiteral("Cannot delete field '%1': it is part of the key '%2' of table '%3'.")
                          .arg(info.def.columns[c].name, k.name, info.def.name));
  if (info.def.columns.size() == 1)
    throw DbError(dberr::kSyntax,
                  QStringLiteral("Cannot delete field '%1': it is the only field of table '%2'.")
                      .arg(info.def.columns[c].name, info.def.name));
  TableInfo next = info;
  next.def.columns.erase(next.def.columns.begin() + c);
  next.descriptions.erase(next.descriptions.begin() + c);
  ValidateTable(next.def, &info.def);
  if (waiting_ || (wait && db_.HoldsTransaction() && !db_.HasActiveStatements())) {
    // The catalogue takes the change now; the table waits (see Settle).
    if (!waiting_) waiting_ = WaitingRebuild{info, info, IdentitySources(info.def), {}};
    waiting_->sources.erase(waiting_->sources.begin() + c);
    waiting_->next = next;
    waiting_->changed << info.def.columns[c].name;
    ++generation_;
    try {
      catalog_.SaveTable(next);
    } catch (const DbError& e) {
      waiting_.reset();
      catalog_.Invalidate();
      db_.LoseTransaction(e.description());
      throw;
    }
    if (!wait) Settle();
    return;
  }
  Atomically(
      [&] {
        RebuildTable(db_, catalog_, info, next, IdentitySources(next.def));
        RefreshViews({info.def.name}, {info.def.columns[c].name});
      },
      Undo::kTransaction);
}

void SchemaEditor::AlterColumn(const QString& table, const ColumnDef& column) {
  TableInfo info = RequireTable(table);
  const int c = FindColumn(info.def, column.name);
  if (c < 0) NoSuchField(column.name, info.def.name);
  const ColumnDef old = info.def.columns[c];
  ColumnDef changed = column;
  changed.name = old.name;
  if (!changed.defaultValue) changed.defaultValue = old.defaultValue;
  TableInfo next = info;
  next.def.columns[c] = changed;
  std::vector<QString> sources = IdentitySources(info.def);
  if (old.type != changed.type) sources[c] = ConvertedSource(old.name, old.type, changed.type);
  Atomically([&] {
    RebuildTable(db_, catalog_, info, next, sources);
    RefreshViews({info.def.name}, {old.name});
  });
}

void SchemaEditor::RestoreColumns(const QString& table, const QStringList& columns, JetType storedAs) {
  TableInfo info = RequireTable(table);
  std::vector<QString> sources = IdentitySources(info.def);
  for (const QString& name : columns) {
    const int c = FindColumn(info.def, name);
    if (c < 0) NoSuchField(name, info.def.name);
    sources[c] = ConvertedSource(info.def.columns[c].name, storedAs, info.def.columns[c].type);
  }
  Atomically([&] {
    RebuildTable(db_, catalog_, info, info, sources);
    RefreshViews({info.def.name}, columns);
  });
}

void SchemaEditor::AddConstraint(const QString& table, const KeyDef& key) {
  TableInfo info = RequireTable(table);
  if (key.kind == KeyKind::PrimaryKey && PrimaryKeyIndex(info.def) >= 0)
    throw DbError(dberr::kSyntax, QStringLiteral("Table '%1' already has a primary key.").arg(info.def.name));
  if (!key.name.isEmpty() && FindKey(info.def, key.name) >= 0)
    throw DbError(dberr::kSyntax, QStringLiteral("Constraint '%1' already exists on table '%2'.")
                                      .arg(key.name, info.def.name));
  KeyDef added = key;
  if (added.name.isEmpty())
    added.name = key.kind == KeyKind::PrimaryKey ? QStringLiteral("PrimaryKey") : key.columns.join(QString());
  for (QString& col : added.columns) {
    int c = FindColumn(info.def, col);
    if (c < 0) NoSuchField(col, info.def.name);
    col = info.def.columns[c].name;
  }
  TableInfo next = info;
  next.def.keys.push_back(added);
  try {
    // A key changes nothing a view reads: the views stay as they are.
    Atomically([&] { RebuildTable(db_, catalog_, info, next, IdentitySources(info.def)); });
  } catch (const DbError& e) {
    if (e.code() != dberr::kConstraint) throw;
    throw DbError(dberr::kConstraint,
                  QStringLiteral("Cannot add the key '%1' to table '%2': the rows hold duplicate or "
                                 "Null values in (%3).")
                      .arg(added.name, info.def.name, added.columns.join(QStringLiteral(", "))));
  }
}

void SchemaEditor::DropConstraint(const QString& table, const QString& name) {
  TableInfo info = RequireTable(table);
  const int k = FindKey(info.def, name);
  if (k < 0)
    throw DbError(dberr::kNotFound, QStringLiteral("Constraint '%1' does not exist on table '%2'.")
                                        .arg(name, info.def.name));
  TableInfo next = info;
  next.def.keys.erase(next.def.keys.begin() + k);
  ValidateTable(next.def, &info.def);
  Atomically([&] { RebuildTable(db_, catalog_, info, next, IdentitySources(info.def)); }, Undo::kTransaction);
}

void SchemaEditor::RenameTable(const QString& from, const QString& to) {
  TableInfo info = RequireTable(from);
  const QString oldName = info.def.name;
  if (to == oldName) return;
  const bool caseOnly = to.compare(oldName, Qt::CaseInsensitive) == 0;
  if (!caseOnly) RequireFreeName(to);
  TableInfo next = info;
  next.def.name = to;
  Atomically([&] {
    for (const QString& sql : DropBitTriggerSql(oldName)) db_.Exec(sql);
    QString source = oldName;
    if (caseOnly) {
      // SQLite refuses a rename to the same name in another case.
      source = QStringLiteral("_mt_rename_") + oldName;
      db_.Exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteIdent(oldName), QuoteIdent(source)));
    }
    db_.Exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteIdent(source), QuoteIdent(to)));
    for (const QString& sql : BitTriggerSql(next.def)) db_.Exec(sql);
    catalog_.SaveTable(next, oldName);
    RefreshViews({oldName, to}, {oldName, to});
  });
}

void SchemaEditor::RenameColumn(const QString& table, const QString& from, const QString& to) {
  TableInfo info = RequireTable(table);
  const int c = FindColumn(info.def, from);
  if (c < 0) NoSuchField(from, info.def.name);
  if (to.trimmed().isEmpty()) throw DbError(dberr::kSyntax, QStringLiteral("The new field name is empty."));
  const int clash = FindColumn(info.def, to);
  if (clash >= 0 && clash != c)
    throw DbError(dberr::kSyntax, QStringLiteral("Field '%1' already exists in table '%2'.")
                                      .arg(to, info.def.name));
  const QString oldName = info.def.columns[c].name;
  if (oldName == to) return;
  TableInfo next = info;
  next.def.columns[c].name = to;
  for (KeyDef& k : next.def.keys)
    for (QString& kc : k.columns)
      if (kc.compare(oldName, Qt::CaseInsensitive) == 0) kc = to;
  ValidateTable(next.def, &info.def);
  Atomically(
      [&] {
        RebuildTable(db_, catalog_, info, next, IdentitySources(info.def));
        RefreshViews({info.def.name}, {oldName, to});
      },
      Undo::kTransaction);
}

void SchemaEditor::SetColumnDescription(const QString& table, const QString& column,
                                        const QString& text) {
  Atomically([&] { catalog_.SetDescription(table, column, text); });
}

void SchemaEditor::AppendQuery(const QString& name, QueryKind kind, const QString& jetSql) {
  // Only a text the engine can read is stored: a view is a SELECT, a stored
  // procedure any data statement (an action query with parameters too).
  const ParsedStatement::Kind read = ParseJet(jetSql).kind;
  if (read == ParsedStatement::Kind::Definition ||
      (kind == QueryKind::View && read != ParsedStatement::Kind::Select))
    throw DbError(dberr::kSyntax, kind == QueryKind::View
                                      ? QStringLiteral("Syntax error: a view must be a SELECT statement.")
                                      : QStringLiteral("Syntax error: a procedure must be a data statement."));
  RequireFreeName(name);
  NamedQuery query{name, kind, jetSql};
  Atomically([&] {
    catalog_.SaveQuery(query);
    if (kind == QueryKind::View) CreateSqliteView(query);
  });
}

void SchemaEditor::DeleteQuery(const QString& name, std::optional<QueryKind> kind) {
  auto query = catalog_.FindQuery(name);
  if (!query || (kind && query->kind != *kind)) {
    QString what = !kind ? QStringLiteral("Query") : *kind == QueryKind::View ? QStringLiteral("View")
                                                                               : QStringLiteral("Procedure");
    throw DbError(dberr::kNotFound, QStringLiteral("%1 '%2' does not exist.").arg(what, name));
  }
  Atomically([&] {
    catalog_.RemoveQuery(query->name);
    if (IsViewInSqlite(db_, query->name)) db_.Exec(QStringLiteral("DROP VIEW ") + QuoteIdent(query->name));
  });
}

std::optional<std::vector<TypedColumn>> SchemaEditor::ColumnTypes(const QString& name) {
  if (const TableInfo* info = catalog_.FindTable(name)) {
    std::vector<TypedColumn> columns;
    columns.reserve(info->def.columns.size());
    for (const ColumnDef& c : info->def.columns)
      columns.push_back({c.name, c.type == JetType::Money      ? ValueType::Money
                                 : c.type == JetType::DateTime ? ValueType::Date
                                                               : ValueType::Other});
    return columns;
  }
  const std::optional<NamedQuery> query = catalog_.FindQuery(name);
  if (!query || query->kind != QueryKind::View || viewTypeDepth_ > 16) return std::nullopt;
  ++viewTypeDepth_;
  std::optional<std::vector<TypedColumn>> types;
  try {
    types = TranslateQuery(query->jetSql, ColumnsOf(), &typesOf_).resultTypes;
  } catch (const DbError&) {
  }
  --viewTypeDepth_;
  return types;
}

std::optional<QString> SchemaEditor::TranslateView(const NamedQuery& query) {
  // Bare names that are no column of the tables read are parameters, as in
  // Jet; the catalogue says which names are columns.
  ColumnsOf columnsOf = [this](const QString& table) -> std::optional<QStringList> {
    if (const TableInfo* info = catalog_.FindTable(table)) {
      QStringList names;
      for (const ColumnDef& c : info->def.columns) names << c.name;
      return names;
    }
    if (IsViewInSqlite(db_, table)) {
      try {
        Stmt stmt = db_.Prepare(QStringLiteral("SELECT * FROM ") + QuoteIdent(table));
        QStringList names;
        for (int i = 0; i < stmt.ColumnCount(); ++i) names << QString::fromUtf8(sqlite3_column_name(stmt.get(), i));
        return names;
      } catch (const DbError&) {
      }
    }
    return std::nullopt;
  };
  try {
    QString sql = TranslateQuery(query.jetSql, columnsOf, &typesOf_).sql.trimmed();
    while (sql.endsWith(QLatin1Char(';'))) sql.chop(1);
    return sql;
  } catch (const DbError&) {
    return std::nullopt;
  }
}

void SchemaEditor::CreateSqliteView(const NamedQuery& query) {
  if (const std::optional<QString> sql = TranslateView(query)) CreateSqliteView(query, *sql, true);
}

void SchemaEditor::CreateSqliteView(const NamedQuery& query, const QString& sql, bool probe) {
  if (probe) {
    // A query with parameters cannot be an SQLite view; it stays text only.
    // Asked before the view is made, since a view made and taken back costs
    // SQLite a fresh read of the whole schema.
    try {
      Stmt probed = db_.Prepare(sql);
      if (sqlite3_bind_parameter_count(probed.get()) > 0) return;
    } catch (const DbError&) {
      return;
    }
  }
  try {
    Savepoint sp(db_, "mt_view");
    db_.Exec(CreateViewStatement(query.name, sql));
    // (A probe that prepared the view's SELECT has already resolved its names.)
    if (!probe && !Resolves(db_, query.name)) return;  // the savepoint takes the view back
    sp.Release();
  } catch (const DbError&) {
    // Text only; the savepoint took the half-made view back.
  }
}

std::vector<NamedQuery> SchemaEditor::ViewsMentioning(const QStringList& names) {
  std::vector<NamedQuery> views;
  for (const NamedQuery& q : catalog_.Queries()) {
    if (q.kind != QueryKind::View) continue;
    for (const QString& n : names)
      if (q.jetSql.contains(n, Qt::CaseInsensitive)) {
        views.push_back(q);
        break;
      }
  }
  return views;
}

void SchemaEditor::RefreshViews(const QStringList& tables, const QStringList& changed) {
  // A view that names nothing the change made, removed or renamed translates
  // and resolves as before (a name the view does not mention can neither
  // become one of its columns nor make one ambiguous).
  std::vector<NamedQuery> touched;
  for (NamedQuery& q : ViewsMentioning(tables))
    for (const QString& n : changed)
      if (q.jetSql.contains(n, Qt::CaseInsensitive)) {
        touched.push_back(std::move(q));
        break;
      }
  if (touched.empty()) return;
  // What SQLite answers about a view must come from the schema as it now is.
  ForgetViewColumns(db_);
  for (const NamedQuery& q : touched) {
    const std::optional<QString> sql = TranslateView(q);
    const std::optional<QString> made = SqliteViewStatement(db_, q.name);
    // A view made from the same text whose names still resolve is kept:
    // every view dropped and made again is a schema change, and SQLite pays
    // for each one with work over the whole schema.
    const bool sameText = made && sql && *made == CreateViewStatement(q.name, *sql);
    if (sameText && Resolves(db_, q.name)) continue;
    if (made) db_.Exec(QStringLiteral("DROP VIEW ") + QuoteIdent(q.name));
    if (sql) CreateSqliteView(q, *sql, !sameText);
  }
}

}  // namespace mt::engine
