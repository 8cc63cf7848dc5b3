#include "db/store/earlier_currency.h"

#include "db/store/catalog_store.h"
#include "db/store/schema_editor.h"
#include "db/store/sqlite_db.h"

namespace mt::engine {

std::map<QString, QStringList> EarlierCurrencyColumns(SqliteDb& db) {
  std::map<QString, QStringList> found;
  QStringList tables;
  {
    // LIKE is case-insensitive: "money real" in a hand-made statement counts.
    Stmt stmt = db.Prepare(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND sql LIKE '%MONEY REAL%'"));
    while (stmt.Step()) tables << stmt.Text(0);
  }
  for (const QString& table : tables) {
    if (IsInternalName(table)) continue;
    Stmt info = db.Prepare(QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdent(table)));
    while (info.Step())
      if (info.Text(2).simplified().compare(QLatin1String("MONEY REAL"), Qt::CaseInsensitive) == 0)
        found[table] << info.Text(1);
  }
  return found;
}

QString DescribeColumns(const std::map<QString, QStringList>& columns) {
  QStringList names;
  for (const auto& [table, cols] : columns)
    for (const QString& c : cols) names << table + QLatin1Char('.') + c;
  return names.join(QStringLiteral(", "));
}

void ConvertEarlierCurrency(SchemaEditor& editor, const std::map<QString, QStringList>& columns) {
  // The values are amounts held as doubles: FLOAT to MONEY rounds each one to
  // its nearest count of ten-thousandths, half to even, as CCur does.
  for (const auto& [table, names] : columns) editor.RestoreColumns(table, names, JetType::Float);
}

}  // namespace mt::engine
