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

// A change statement's shape: its tokens with every text and number literal
// that a binding can carry left out, and the values of those literals in
// order with where they stand. The literals of an INSERT are the ones an
// INSERT of one row binds; those of an UPDATE or a DELETE are bound
// wherever the emitter can (LiteralSlots), and their shape keeps the traits
// of each text (TextLiteralTraits) that the SQL written depends on.
struct Shape {
  bool insert = false;
  QString key;
  QVariantList values;
  std::vector<int> positions;
};

std::optional<Shape> ShapeOf(const QString& jetSql) {
  const QStringView head = QStringView(jetSql).trimmed().left(6);
  Shape shape;
  shape.insert = head.compare(QLatin1String("INSERT"), Qt::CaseInsensitive) == 0;
  if (!shape.insert && head.compare(QLatin1String("UPDATE"), Qt::CaseInsensitive) != 0 &&
      head.compare(QLatin1String("DELETE"), Qt::CaseInsensitive) != 0)
    return std::nullopt;
  const TokenList tokens(jetSql);
  // Each token adds its kind, and its text and a separator unless it is left
  // out (a decimal marker or a text's traits in its place): never more than
  // the statement plus two per token.
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
      if (t.kind == TokenKind::String && !shape.insert) key[n++] = QChar(u'a' + TextLiteralTraits(t.text));
      shape.values.push_back(*bound);
      shape.positions.push_back(t.pos);
      continue;
    }
    n = std::copy(raw.begin(), raw.end(), key + n) - key;
    key[n++] = QChar(u'\x1f');
  }
  shape.key.truncate(n);
  return shape;
}

// What a translation read of the tables' column types (Currency and date
// columns decide how values are written and compared): part of what a
// remembered shape was translated under.
QString TypesOf(const QStringList& tables, const TypedColumnsOf* typesOf) {
  if (!typesOf) return QString();
  QString signature = QStringLiteral("typed\x1f");
  for (const QString& table : tables) {
    signature += NameKey(table) + u'\x1e';
    if (const auto columns = (*typesOf)(table))
      for (const TypedColumn& c : *columns)
        if (c.type != ValueType::Other) signature += NameKey(c.name) + QChar(u'0' + int(c.type)) + u'\x1f';
  }
  return signature;
}

}  // namespace

Command Translate(const QString& jetSql, const TypedColumnsOf* typesOf) {
  // The scripts insert thousands of rows, and the value passes update them,
  // with statements that differ only in their literals: the SQL of a shape
  // already seen is reused with this statement's values. A shape is
  // remembered only when its translation bound exactly its literals, so a
  // hit gives what the full translation would (provided the column types it
  // read are still the same).
  struct Remembered {
    SqlStatement statement;
    QString types;
  };
  thread_local QHash<QString, Remembered> shapes;
  std::optional<Shape> shape = ShapeOf(jetSql);
  if (shape) {
    const auto hit = shapes.constFind(shape->key);
    if (hit != shapes.cend() && hit->types == TypesOf(hit->statement.typedTables, typesOf)) {
      SqlStatement st = hit->statement;
      st.values = std::move(shape->values);
      return st;
    }
  }
  ParsedStatement st = ParseJet(jetSql);
  if (st.kind == ParsedStatement::Kind::Definition) return std::move(st.definition);
  LiteralSlots slots;
  const bool byPlace = shape && !shape->insert && st.parameters.isEmpty();
  if (byPlace)
    for (size_t i = 0; i < shape->positions.size(); ++i) slots.numberAt.insert(shape->positions[i], int(i) + 1);
  SqlStatement out = EmitSqlite(st, nullptr, typesOf, byPlace ? &slots : nullptr);
  bool remember = shape && out.parameters.isEmpty() && out.values == shape->values;
  if (byPlace) {
    // The values up to the last the SQL uses (those it wrote instead stay
    // unused between them).
    const qsizetype used = slots.written.isEmpty() ? 0 : *std::max_element(slots.written.begin(), slots.written.end());
    remember = out.parameters.isEmpty() && slots.written.size() == shape->values.size();
    out.values = shape->values.mid(0, used);
  }
  if (remember) {
    if (shapes.size() >= 256) shapes.clear();
    shapes.insert(shape->key, Remembered{out, TypesOf(out.typedTables, typesOf)});
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
