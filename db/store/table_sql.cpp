#include "db/store/table_sql.h"

#include <QSet>

#include "db/store/column_storage.h"
#include "db/engine.h"
#include "db/store/sqlite_db.h"

namespace mt::engine {
namespace {

QString ColumnList(const QStringList& columns) {
  QStringList quoted;
  for (const QString& c : columns) quoted << QuoteIdent(c);
  return quoted.join(QStringLiteral(", "));
}

[[noreturn]] void Reject(const QString& text) { throw DbError(dberr::kSyntax, text); }

}  // namespace

int FindColumn(const TableDef& table, const QString& name) {
  for (size_t i = 0; i < table.columns.size(); ++i)
    if (SameName(table.columns[i].name, name)) return int(i);
  return -1;
}

int FindKey(const TableDef& table, const QString& name) {
  for (size_t i = 0; i < table.keys.size(); ++i)
    if (SameName(table.keys[i].name, name)) return int(i);
  return -1;
}

int PrimaryKeyIndex(const TableDef& table) {
  for (size_t i = 0; i < table.keys.size(); ++i)
    if (table.keys[i].kind == KeyKind::PrimaryKey) return int(i);
  return -1;
}

int AutoIncrementColumn(const TableDef& table) {
  for (size_t i = 0; i < table.columns.size(); ++i)
    if (table.columns[i].type == JetType::AutoIncrement) return int(i);
  return -1;
}

void ValidateTable(const TableDef& table, const TableDef* before) {
  if (table.name.trimmed().isEmpty()) Reject(QStringLiteral("The table has no name."));
  if (table.columns.empty())
    Reject(QStringLiteral("Table '%1' must have at least one column.").arg(table.name));
  QSet<QString> seen;
  seen.reserve(qsizetype(table.columns.size()));
  int autoCount = 0;
  for (size_t i = 0; i < table.columns.size(); ++i) {
    const ColumnDef& c = table.columns[i];
    if (c.name.trimmed().isEmpty()) Reject(QStringLiteral("A column of '%1' has no name.").arg(table.name));
    const qsizetype count = seen.size();
    seen.insert(NameKey(c.name));
    if (seen.size() == count)
      Reject(QStringLiteral("Field '%1' is defined more than once in table '%2'.").arg(c.name, table.name));
    if (c.type == JetType::AutoIncrement) ++autoCount;
    // A default is checked once, when its column is made or changed.
    const ColumnDef* was = before && i < before->columns.size() ? &before->columns[i] : nullptr;
    const bool checked = was && was->name == c.name && was->type == c.type &&
                         (was->defaultValue ? was->defaultValue->jetText : QString()) ==
                             (c.defaultValue ? c.defaultValue->jetText : QString());
    if (c.defaultValue && !checked) DefaultClause(c);  // throws for a default it cannot store
  }
  if (autoCount > 1)
    Reject(QStringLiteral("Table '%1' can have only one AUTOINCREMENT field.").arg(table.name));
  int primaries = 0;
  QSet<QString> keyNames;
  for (const KeyDef& k : table.keys) {
    if (k.kind == KeyKind::PrimaryKey) ++primaries;
    if (k.columns.isEmpty())
      Reject(QStringLiteral("Constraint '%1' names no column.").arg(k.name));
    if (!k.name.isEmpty()) {
      if (keyNames.contains(NameKey(k.name)))
        Reject(QStringLiteral("Constraint '%1' already exists on table '%2'.").arg(k.name, table.name));
      keyNames.insert(NameKey(k.name));
    }
    for (const QString& col : k.columns)
      if (FindColumn(table, col) < 0)
        Reject(QStringLiteral("Constraint '%1' names the unknown field '%2'.").arg(k.name, col));
  }
  if (primaries > 1)
    Reject(QStringLiteral("Table '%1' already has a primary key.").arg(table.name));
}

QString CreateTableSql(const TableDef& table, const QString& sqliteName) {
  const int autoCol = AutoIncrementColumn(table);
  const int pk = PrimaryKeyIndex(table);
  QSet<QString> pkColumns;
  if (pk >= 0)
    for (const QString& c : table.keys[pk].columns) pkColumns.insert(NameKey(c));

  QStringList parts;
  for (size_t i = 0; i < table.columns.size(); ++i) {
    const ColumnDef& c = table.columns[i];
    QString def = QuoteIdent(c.name) + QLatin1Char(' ');
    if (int(i) == autoCol) {
      def += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    } else {
      def += DeclaredType(c.type, c.size);
      if (c.notNull || pkColumns.contains(NameKey(c.name))) def += QStringLiteral(" NOT NULL");
      DefaultSql d = DefaultClause(c);
      if (!d.sql.isEmpty()) def += QStringLiteral(" DEFAULT ") + d.sql;
    }
    parts << def;
  }
  for (const KeyDef& k : table.keys) {
    bool soleAuto = autoCol >= 0 && k.columns.size() == 1 &&
                    k.columns.first().compare(table.columns[autoCol].name, Qt::CaseInsensitive) == 0;
    if (soleAuto) continue;  // the rowid alias already is this key
    QString kind = (k.kind == KeyKind::PrimaryKey && autoCol < 0) ? QStringLiteral("PRIMARY KEY")
                                                                  : QStringLiteral("UNIQUE");
    QString clause;
    if (!k.name.isEmpty()) clause = QStringLiteral("CONSTRAINT ") + QuoteIdent(k.name) + QLatin1Char(' ');
    parts << clause + kind + QStringLiteral(" (") + ColumnList(k.columns) + QLatin1Char(')');
  }
  return QStringLiteral("CREATE TABLE ") + QuoteIdent(sqliteName) + QStringLiteral(" (") +
         parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

namespace {

struct BitParts {
  QString when;  // over NEW.col
  QString cond;  // over col
  QString set;
  QStringList cols;
};

BitParts MakeBitParts(const TableDef& table) {
  QStringList when, cond, set, cols;
  for (const ColumnDef& c : table.columns) {
    if (c.type != JetType::Bit) continue;
    QString col = QuoteIdent(c.name);
    cols << col;
    when << QStringLiteral("NEW.%1 NOT IN (0, -1)").arg(col);
    cond << QStringLiteral("%1 NOT IN (0, -1)").arg(col);
    set << QStringLiteral("%1 = CASE WHEN %1 IS NULL OR %1 IN (0, -1) THEN %1 "
                          "WHEN lower(%1) IN ('false', 'no', 'off') THEN 0 ELSE -1 END")
               .arg(col);
  }
  return {when.join(QStringLiteral(" OR ")), cond.join(QStringLiteral(" OR ")),
          set.join(QStringLiteral(", ")), cols};
}

}  // namespace

QStringList BitTriggerSql(const TableDef& table) {
  BitParts parts = MakeBitParts(table);
  if (parts.cols.isEmpty()) return {};
  // Only rows holding something other than -1, 0 or Null are touched.
  const QString t = QuoteIdent(table.name);
  return {QStringLiteral("CREATE TRIGGER ") + QuoteIdent(QStringLiteral("_mt_bit_upd_") + table.name) +
          QStringLiteral(" AFTER UPDATE OF ") + parts.cols.join(QStringLiteral(", ")) +
          QStringLiteral(" ON ") + t + QStringLiteral(" WHEN ") + parts.when +
          QStringLiteral(" BEGIN UPDATE ") + t + QStringLiteral(" SET ") + parts.set +
          QStringLiteral(" WHERE rowid = NEW.rowid; END")};
}

QString BitFixupSql(const TableDef& table, bool byRowid) {
  BitParts parts = MakeBitParts(table);
  if (parts.cols.isEmpty()) return {};
  return QStringLiteral("UPDATE ") + QuoteIdent(table.name) + QStringLiteral(" SET ") + parts.set +
         QStringLiteral(" WHERE ") + (byRowid ? QStringLiteral("rowid = ?1 AND (") : QStringLiteral("(")) +
         parts.cond + QLatin1Char(')');
}

QStringList DropBitTriggerSql(const QString& tableName) {
  return {QStringLiteral("DROP TRIGGER IF EXISTS ") + QuoteIdent(QStringLiteral("_mt_bit_upd_") + tableName)};
}

}  // namespace mt::engine
