#include "db/store/lookup_index.h"

#include <sqlite3.h>

#include "db/engine.h"
#include "db/jetsql/jet_functions.h"

namespace mt::engine {

namespace {

bool ComparesAsText(JetType type) {
  return type == JetType::Text || type == JetType::Memo || type == JetType::Guid || type == JetType::Decimal;
}

}  // namespace

QString CreateLookupIndex(SqliteDb& db, CatalogStore& catalog, const QString& table, const QStringList& columns) {
  const TableInfo* info = catalog.FindTable(table);
  if (!info) throw DbError(dberr::kNotFound, QStringLiteral("Table '%1' does not exist.").arg(table));
  QString list;
  for (const QString& name : columns) {
    const ColumnDef* column = nullptr;
    for (const ColumnDef& c : info->def.columns)
      if (SameName(c.name, name)) column = &c;
    if (!column)
      throw DbError(dberr::kNotFound, QStringLiteral("Field '%1' does not exist in table '%2'.").arg(name, info->def.name));
    if (!list.isEmpty()) list += QStringLiteral(", ");
    list += ComparesAsText(column->type)
                ? QLatin1String(kSqlKeyFoldOpen) + QuoteIdent(column->name) + QLatin1String(kSqlKeyFoldClose)
                : QuoteIdent(column->name);
  }
  const QString index = QStringLiteral("_mt_lookup_%1_%2").arg(info->def.name, columns.join(u'_'));
  db.Exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)").arg(QuoteIdent(index), QuoteIdent(info->def.name), list));
  return index;
}

void DropLookupIndexes(SqliteDb& db, QStringList& names) {
  for (const QString& name : names) {
    const QByteArray sql = QStringLiteral("DROP INDEX IF EXISTS %1").arg(QuoteIdent(name)).toUtf8();
    sqlite3_exec(db.handle(), sql.constData(), nullptr, nullptr, nullptr);
  }
  names.clear();
}

void DropLeftoverLookupIndexes(SqliteDb& db) {
  QStringList names;
  sqlite3_exec(db.handle(), "SELECT name FROM sqlite_master WHERE type = 'index' AND substr(name, 1, 11) = '_mt_lookup_'",
               [](void* out, int, char** value, char**) {
                 static_cast<QStringList*>(out)->append(QString::fromUtf8(value[0]));
                 return 0;
               },
               &names, nullptr);
  DropLookupIndexes(db, names);
}

}  // namespace mt::engine
