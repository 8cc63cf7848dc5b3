#include "db/jetsql/translator.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <optional>

#include "db/engine.h"
#include "db/jetsql/jet_dates.h"
#include "db/jetsql/jet_functions.h"
#include "db/jetsql/jet_parser.h"
#include "db/jetsql/jet_tokenizer.h"
#include "db/jetsql/sqlite_emitter.h"

namespace mt::engine {

namespace {

// An INSERT's shape: its tokens with every text and number literal that a
// binding can carry left out (they are the ones an INSERT of one row binds),
// and the values of those literals in order.
struct InsertShape {
  QString key;
  QVariantList values;
};

std::optional<InsertShape> ShapeOfInsert(const QString& jetSql) {
  const QStringView head = QStringView(jetSql).trimmed().left(6);
  if (head.compare(QLatin1String("INSERT"), Qt::CaseInsensitive) != 0) return std::nullopt;
  const TokenList tokens(jetSql);
  InsertShape shape;
  // Each token adds its kind, and its text and a separator unless it is left
  // out (a decimal left out, a marker): never more than the statement plus
  // two per token.
  shape.key = QString(jetSql.size() + 2 * qsizetype(tokens.size()), Qt::Uninitialized);
  QChar* key = shape.key.data();
  qsizetype n = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens.at(i);
    key[n++] = QChar(u'0' + int(t.kind));
    const QStringView raw = tokens.raw(t);
    const std::optional<QVariant> bound = t.kind == TokenKind::String   ? BindableText(t.text)
                                          : t.kind == TokenKind::Number ? BindableNumber(raw)
                                                                        : std::nullopt;
    if (bound) {
      // A decimal is written into the SQL otherwise than a whole number.
      if (t.kind == TokenKind::Number && IsBoundDecimal(*bound)) key[n++] = QChar(u'\x1e');
      shape.values.push_back(*bound);
      continue;
    }
    n = std::copy(raw.begin(), raw.end(), key + n) - key;
    key[n++] = QChar(u'\x1f');
  }
  shape.key.truncate(n);
  return shape;
}

}  // namespace

Command Translate(const QString& jetSql) {
  // The scripts insert thousands of rows that differ only in their literals:
  // the SQL of a shape already seen is reused with this statement's values.
  // A shape is remembered only when its translation bound exactly its
  // literals, in order, so a hit gives what the full translation would.
  thread_local QHash<QString, SqlStatement> shapes;
  std::optional<InsertShape> shape = ShapeOfInsert(jetSql);
  if (shape) {
    const auto hit = shapes.constFind(shape->key);
    if (hit != shapes.cend()) {
      SqlStatement st = *hit;
      st.values = std::move(shape->values);
      return st;
    }
  }
  ParsedStatement st = ParseJet(jetSql);
  if (st.kind == ParsedStatement::Kind::Definition) return std::move(st.definition);
  SqlStatement out = EmitSqlite(st);
  if (shape && out.parameters.isEmpty() && out.values == shape->values) {
    if (shapes.size() >= 256) shapes.clear();
    shapes.insert(shape->key, out);
  }
  return out;
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
