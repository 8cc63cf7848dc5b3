#include "upgrade/catalog_statements.h"

#include "app/log.h"
#include "db/engine.h"
#include "text/string_utils.h"
#include "upgrade/statement_text.h"
#include "upgrade/upgrade_connection.h"

namespace mt {
namespace {

constexpr int32_t kMissingPart = 100;

Catalog& SharedCatalog() { return upgrade::UpgradeConnection().GetCatalog(); }

enum class QueryKind { View, Procedure };

// Creating a view and creating a procedure differ only in their words and in
// which collection is cleared first and appended to.
bool CreateNamedQuery(const QString& statement, QueryKind kind) {
  const bool view = kind == QueryKind::View;
  const QString procedure =
      view ? QStringLiteral("modMain.p_CreateView") : QStringLiteral("modMain.p_CreateProcedure");
  int line = 1;
  try {
    int pos = 1;
    const QString name = GetStringBetween(
        statement, view ? QStringLiteral("CREATE VIEW [") : QStringLiteral("CREATE PROCEDURE ["),
        QStringLiteral("]"), pos);
    if (name.isEmpty()) {
      throw DbError(kMissingPart, view ? QStringLiteral("View 이름 없음")
                                       : QStringLiteral("Procedure 이름 없음"));
    }
    line = 2;
    const qsizetype as = statement.indexOf(u" AS ", 0, Qt::CaseInsensitive);
    if (as < 0) {
      throw DbError(kMissingPart, view ? QStringLiteral("View SQL 없음")
                                       : QStringLiteral("Procedure SQL 없음"));
    }
    const QString sql = statement.mid(as + 4);

    line = 4;
    Catalog& catalog = SharedCatalog();
    line = 5;
    if (view) {
      if (catalog.HasView(name)) catalog.DeleteView(name);
      line = 6;
      if (catalog.HasProcedure(name)) catalog.DeleteProcedure(name);
      line = 7;
      catalog.AppendView(name, sql);
    } else {
      if (catalog.HasProcedure(name)) catalog.DeleteProcedure(name);
      line = 6;
      if (catalog.HasView(name)) catalog.DeleteView(name);
      line = 7;
      catalog.AppendProcedure(name, sql);
    }
    return true;
  } catch (...) {
    const CaughtError e = CurrentError();
    WriteLog(QStringLiteral("[err: ") + procedure + QStringLiteral("] line ") + QString::number(line) +
             QStringLiteral(", ") + QString::number(e.number) + QStringLiteral(", ") + e.description);
    throw DbError(e.number, e.description, procedure);
  }
}

QString RemoveBrackets(QString text) {
  text.remove(u'[');
  text.remove(u']');
  return text;
}

}  // namespace

bool p_CreateView(const QString& statement) {
  return CreateNamedQuery(statement, QueryKind::View);
}

bool p_CreateProcedure(const QString& statement) {
  return CreateNamedQuery(statement, QueryKind::Procedure);
}

bool p_RenameTable(const QString& statement) {
  int line = 1;
  try {
    int pos = 1;
    const QString from = StripEnclosingBrackets(
        GetStringBetween(statement, QStringLiteral("ALTER TABLE "), QStringLiteral(" RENAME "), pos));
    line = 2;
    const qsizetype to = statement.indexOf(u" RENAME TO ", 0, Qt::CaseSensitive);
    if (from.isEmpty() || to < 0) return false;
    line = 3;
    const QString target = StripEnclosingBrackets(statement.mid(to + 11));
    if (target.isEmpty()) return false;

    line = 4;
    Catalog& catalog = SharedCatalog();
    if (!catalog.HasTable(from)) return false;
    catalog.RenameTable(from, target);
    return true;
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modMain.p_RenameTable"), e.number, e.description, line);
    return false;
  }
}

bool p_RenameColumn(const QString& statement) {
  int line = 1;
  try {
    int pos = 1;
    const QString table = StripEnclosingBrackets(
        GetStringBetween(statement, QStringLiteral("ALTER TABLE "), QStringLiteral(" RENAME "), pos));
    if (table.isEmpty()) return false;
    line = 2;
    pos = 1;
    const QString from = StripEnclosingBrackets(GetStringBetween(
        statement, QStringLiteral(" RENAME COLUMN "), QStringLiteral(" TO "), pos));
    if (from.isEmpty()) return false;
    line = 3;
    const qsizetype to = statement.indexOf(u" TO ", 0, Qt::CaseSensitive);
    if (to < 0) return false;
    const QString target = StripEnclosingBrackets(statement.mid(to + 4));
    if (target.isEmpty()) return false;

    line = 4;
    Catalog& catalog = SharedCatalog();
    if (!catalog.HasTable(table) || !catalog.HasColumn(table, from)) return false;
    catalog.RenameColumn(table, from, target);
    return true;
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modMain.p_RenameColumn"), e.number, e.description, line);
    return false;
  }
}

void p_SetColumnDescription(const QString& statement) {
  int line = 1;
  try {
    int pos = 1;
    int start = 0;
    int end = 0;  // 1-based position of the space that ends the table name
    const QString table = upgrade::TrimSpaces(RemoveBrackets(GetStringBetween(
        statement, QStringLiteral("SetColumnDescription "), QStringLiteral(" "), pos, &start, &end)));
    if (table.isEmpty()) return;

    line = 2;
    Catalog& catalog = SharedCatalog();
    if (!catalog.HasTable(table)) return;

    for (;;) {
      line = 3;
      const int from = end + 1;  // 1-based
      if (from >= statement.size()) break;
      int open = 0;
      int close = 0;
      const QString description = GetQuotedValue(statement, from, &open, &close);
      if (description.isEmpty()) break;

      // The column is what stands between the previous pair and the opening
      // quote: "[Col] = " or ", Col=" and the like.
      QString column = statement.mid(from - 1, open - from);
      const qsizetype equals = column.indexOf(u'=');
      if (equals >= 0) column.truncate(equals);
      column = RemoveBrackets(column);
      column.remove(u',');
      column = upgrade::TrimSpaces(column);
      if (column.isEmpty()) break;

      line = 4;
      if (catalog.HasColumn(table, column)) catalog.SetColumnDescription(table, column, description);
      end = close;
    }
  } catch (...) {
    const CaughtError e = CurrentError();
    LogError(QStringLiteral("modMain.p_SetColumnDescription"), e.number, e.description, line);
  }
}

}  // namespace mt
