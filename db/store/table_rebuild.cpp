#include "db/store/table_rebuild.h"

#include <QStringList>

#include "db/engine.h"
#include "db/store/sqlite_db.h"
#include "db/store/table_sql.h"

namespace mt::engine {

void RebuildTable(SqliteDb& db, CatalogStore& catalog, const TableInfo& oldInfo,
                  const TableInfo& newInfo, const std::vector<QString>& sources) {
  const QString oldName = oldInfo.def.name;
  const QString newName = newInfo.def.name;
  const QString scratch = QStringLiteral("_mt_rebuild_") + newName;
  ValidateTable(newInfo.def, &oldInfo.def);

  db.Exec(QStringLiteral("DROP TABLE IF EXISTS ") + QuoteIdent(scratch));
  db.Exec(CreateTableSql(newInfo.def, scratch));

  // Copy the rows with their rowids; the AUTOINCREMENT column is the rowid
  // alias, so it takes the old rowid unless a source expression is given.
  const int autoCol = AutoIncrementColumn(newInfo.def);
  QStringList targets, values;
  bool rowidCopied = false;
  for (size_t i = 0; i < newInfo.def.columns.size(); ++i) {
    const QString& expr = i < sources.size() ? sources[i] : QString();
    if (expr.isEmpty() && int(i) != autoCol) continue;
    targets << QuoteIdent(newInfo.def.columns[i].name);
    values << (expr.isEmpty() ? QStringLiteral("rowid") : expr);
    if (int(i) == autoCol) rowidCopied = true;
  }
  if (!rowidCopied) {
    targets.prepend(QStringLiteral("rowid"));
    values.prepend(QStringLiteral("rowid"));
  }
  db.Exec(QStringLiteral("INSERT OR FAIL INTO %1 (%2) SELECT %3 FROM %4")
              .arg(QuoteIdent(scratch), targets.join(QStringLiteral(", ")),
                   values.join(QStringLiteral(", ")), QuoteIdent(oldName)));

  // The counter of an AUTOINCREMENT table lives in sqlite_sequence under the
  // table's name; DROP TABLE removes it, so carry the old value over.
  QVariant oldSeq;
  if (db.ScalarOrNull(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'sqlite_sequence'"))
          .toLongLong() > 0) {
    Stmt seq = db.Prepare(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?1"));
    seq.Bind(1, oldName);
    if (seq.Step()) oldSeq = seq.Raw(0);
  }

  for (const QString& sql : DropBitTriggerSql(oldName)) db.Exec(sql);
  db.Exec(QStringLiteral("DROP TABLE ") + QuoteIdent(oldName));
  db.Exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteIdent(scratch), QuoteIdent(newName)));

  if (oldSeq.isValid() && autoCol >= 0) {
    Stmt up = db.Prepare(QStringLiteral(
        "UPDATE sqlite_sequence SET seq = max(seq, ?2) WHERE name = ?1"));
    up.Bind(1, newName);
    up.Bind(2, oldSeq);
    up.Run();
    Stmt ins = db.Prepare(QStringLiteral(
        "INSERT INTO sqlite_sequence (name, seq) SELECT ?1, ?2 "
        "WHERE NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = ?1)"));
    ins.Bind(1, newName);
    ins.Bind(2, oldSeq);
    ins.Run();
  }
  for (const QString& sql : BitTriggerSql(newInfo.def)) db.Exec(sql);
  catalog.SaveTable(newInfo, oldName);
}

}  // namespace mt::engine
