#include "db/engine/translator.h"

#include <QDateTime>

#include "db/engine/engine.h"
#include "db/engine/jet_dates.h"
#include "db/engine/jet_functions.h"
#include "db/engine/jet_parser.h"
#include "db/engine/sqlite_emitter.h"

namespace mt::engine {

Command Translate(const QString& jetSql) {
  ParsedStatement st = ParseJet(jetSql);
  if (st.kind == ParsedStatement::Kind::Definition) return std::move(st.definition);
  return EmitSqlite(st);
}

namespace {

SqlStatement TranslateSelect(const QString& jetSelect, const ColumnsOf* columnsOf) {
  ParsedStatement st = ParseJet(jetSelect);
  if (st.kind != ParsedStatement::Kind::Select)
    throw DbError(dberr::kSyntax, QStringLiteral("Syntax error: a query must be a SELECT statement."));
  return EmitSqlite(st, columnsOf);
}

}  // namespace

SqlStatement TranslateQuery(const QString& jetSelect) { return TranslateSelect(jetSelect, nullptr); }

SqlStatement TranslateQuery(const QString& jetSelect, const ColumnsOf& columnsOf) {
  return TranslateSelect(jetSelect, columnsOf ? &columnsOf : nullptr);
}

void RegisterJetFunctions(sqlite3* db) { RegisterJetFunctionsOn(db); }

double DateTimeToJet(const QDateTime& dt) {
  const QDateTime local = dt.toLocalTime();
  return CivilToSerial(local.date(), local.time().msecsSinceStartOfDay());
}

QDateTime JetToDateTime(double days) {
  const CivilTime c = SerialToCivil(days);
  return QDateTime(c.date, QTime::fromMSecsSinceStartOfDay(c.msecs));
}

}  // namespace mt::engine
