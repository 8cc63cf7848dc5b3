#include "db/jetsql/translator.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <optional>

#include "db/currency.h"
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

// The Currency columns of a table, which decide how an INSERT writes its
// values: part of what a remembered INSERT shape was translated under.
QString CurrencyColumnsOf(const QString& table, const TypedColumnsOf* typesOf) {
  if (!typesOf) return QString();
  QString names;
  if (const auto columns = (*typesOf)(table))
    for (const TypedColumn& c : *columns)
      if (c.type == ValueType::Money) names += c.name.toLower() + u'\x1f';
  return names;
}

}  // namespace

Command Translate(const QString& jetSql, const TypedColumnsOf* typesOf) {
  // The scripts insert thousands of rows that differ only in their literals:
  // the SQL of a shape already seen is reused with this statement's values.
  // A shape is remembered only when its translation bound exactly its
  // literals, in order, so a hit gives what the full translation would
  // (provided the table's Currency columns are still the same).
  struct Remembered {
    SqlStatement statement;
    QString currencyColumns;
  };
  thread_local QHash<QString, Remembered> shapes;
  std::optional<InsertShape> shape = ShapeOfInsert(jetSql);
  if (shape) {
    const auto hit = shapes.constFind(shape->key);
    if (hit != shapes.cend() &&
        hit->currencyColumns == CurrencyColumnsOf(hit->statement.targetTable, typesOf)) {
      SqlStatement st = hit->statement;
      st.values = std::move(shape->values);
      return st;
    }
  }
  ParsedStatement st = ParseJet(jetSql);
  if (st.kind == ParsedStatement::Kind::Definition) return std::move(st.definition);
  SqlStatement out = EmitSqlite(st, nullptr, typesOf);
  if (shape && out.parameters.isEmpty() && out.values == shape->values) {
    if (shapes.size() >= 256) shapes.clear();
    shapes.insert(shape->key, Remembered{out, CurrencyColumnsOf(out.targetTable, typesOf)});
  }
  return out;
}

namespace {

SqlStatement TranslateSelect(const QString& jetSelect, const ColumnsOf* columnsOf,
                             const TypedColumnsOf* typesOf) {
  ParsedStatement st = ParseJet(jetSelect);
  if (st.kind != ParsedStatement::Kind::Select)
    throw DbError(dberr::kSyntax, QStringLiteral("Syntax error: a query must be a SELECT statement."));
  return EmitSqlite(st, columnsOf, typesOf);
}

}  // namespace

SqlStatement TranslateQuery(const QString& jetSelect) { return TranslateSelect(jetSelect, nullptr, nullptr); }

SqlStatement TranslateQuery(const QString& jetSelect, const ColumnsOf& columnsOf, const TypedColumnsOf* typesOf) {
  return TranslateSelect(jetSelect, columnsOf ? &columnsOf : nullptr, typesOf);
}

void RegisterJetFunctions(sqlite3* db) {
  RegisterCurrencyConversions();
  RegisterJetFunctionsOn(db);
}

double DateTimeToJet(const QDateTime& dt) {
  // The fields as they stand, whatever the time zone setting: a date never passes
  // through a time zone.
  return CivilToSerial(dt.date(), dt.time().msecsSinceStartOfDay());
}

QDateTime JetToDateTime(double days) {
  const CivilTime c = SerialToCivil(days);
  // UTC only as the setting that has no gaps and no folds: the fields are the
  // serial's calendar day and time, converted from nothing.
  return QDateTime(c.date, QTime::fromMSecsSinceStartOfDay(c.msecs), Qt::UTC);
}

}  // namespace mt::engine
