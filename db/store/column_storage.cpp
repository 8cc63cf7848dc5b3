#include "db/store/column_storage.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>

#include "db/currency.h"
#include "db/engine.h"
#include "db/jetsql/jet_dates.h"
#include "db/jetsql/translator.h"

namespace mt::engine {
namespace {

struct TypeNames {
  JetType type;
  const char* keyword;
  const char* declared;
};

// The first word of each declared type is the Jet keyword; the rest only
// steers SQLite's affinity rules (INT -> INTEGER, TEXT -> TEXT, REAL -> REAL).
constexpr TypeNames kTypes[] = {
    {JetType::Text, "TEXT", "TEXT"},
    {JetType::Memo, "MEMO", "MEMO TEXT"},
    {JetType::Long, "LONG", "LONG INTEGER"},
    {JetType::Short, "SHORT", "SHORT INTEGER"},
    {JetType::Byte, "BYTE", "BYTE INTEGER"},
    {JetType::Bit, "BIT", "BIT INTEGER"},
    {JetType::DateTime, "DATETIME", "DATETIME REAL"},
    {JetType::Single, "SINGLE", "SINGLE REAL"},
    {JetType::Float, "FLOAT", "FLOAT REAL"},
    {JetType::Money, "MONEY", "MONEY INTEGER"},  // ten-thousandths
    {JetType::AutoIncrement, "AUTOINCREMENT", "INTEGER"},
    {JetType::LongBinary, "LONGBINARY", "LONGBINARY BLOB"},
    {JetType::Binary, "BINARY", "BINARY BLOB"},
    {JetType::Guid, "GUID", "GUID TEXT"},
    {JetType::Decimal, "DECIMAL", "DECIMAL TEXT"},
};

bool IsWholeNumberType(JetType t) {
  return t == JetType::Long || t == JetType::Short || t == JetType::Byte ||
         t == JetType::AutoIncrement;
}
bool IsTextType(JetType t) { return t == JetType::Text || t == JetType::Memo; }
bool IsBinaryType(JetType t) { return t == JetType::LongBinary || t == JetType::Binary; }

[[noreturn]] void Mismatch(const QVariant& value, JetType to) {
  throw DbError(dberr::kTypeMismatch,
                QStringLiteral("Data type mismatch: cannot convert '%1' to %2.")
                    .arg(value.toString(), JetTypeKeyword(to)));
}

// Shortest text that reads back as the same double, never in exponent form.
QString PlainNumber(double d) {
  if (std::isnan(d) || std::isinf(d)) return QString::number(d);
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
  return QString::fromLatin1(buf, int(res.ptr - buf));
}

std::optional<double> ParseNumber(const QString& text) {
  static const QRegularExpression re(
      QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
  QString t = text.trimmed();
  if (!re.match(t).hasMatch()) return std::nullopt;
  bool ok = false;
  double d = QLocale::c().toDouble(t.startsWith(QLatin1Char('+')) ? t.mid(1) : t, &ok);
  if (!ok) return std::nullopt;
  return d;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, from a GUID text
// with or without braces.
std::optional<QString> CanonicalGuid(const QString& text) {
  static const QRegularExpression re(QStringLiteral(
      "^\\{?([0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12})\\}?$"));
  auto m = re.match(text.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  return QLatin1Char('{') + m.captured(1).toUpper() + QLatin1Char('}');
}

// A DECIMAL value as exact decimal text: plain decimal texts keep their
// digits (no rounding through a double); other numbers in their plain form.
std::optional<QString> DecimalText(const QString& text) {
  static const QRegularExpression plain(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
  QString t = text.trimmed();
  if (plain.match(t).hasMatch()) return t.startsWith(QLatin1Char('+')) ? t.mid(1) : t;
  if (auto d = ParseNumber(t)) return PlainNumber(*d);
  return std::nullopt;
}

std::optional<bool> ParseBoolWord(const QString& text) {
  QString t = text.trimmed().toLower();
  if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on"))
    return true;
  if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("off"))
    return false;
  return std::nullopt;
}

QVariant WholeNumber(double d, JetType to, const QVariant& original) {
  double r = std::nearbyint(d);  // Jet rounds halves to even, as the FPU does
  double lo = -2147483648.0, hi = 2147483647.0;
  if (to == JetType::Short) lo = -32768, hi = 32767;
  if (to == JetType::Byte) lo = 0, hi = 255;
  if (r < lo || r > hi) Mismatch(original, to);
  return QVariant(qint64(r));
}

QString DateText(double days) {
  QDateTime dt = JetToDateTime(days);
  if (dt.time() == QTime(0, 0)) return dt.toString(QStringLiteral("yyyy-MM-dd"));
  return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant FromSqliteValue(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
      return QVariant(qint64(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
      return QVariant(sqlite3_value_double(v));
    case SQLITE_TEXT:
      return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                        sqlite3_value_bytes(v)));
    case SQLITE_BLOB:
      return QVariant(QByteArray(static_cast<const char*>(sqlite3_value_blob(v)),
                                 sqlite3_value_bytes(v)));
    default:
      return QVariant();
  }
}

void SetResult(sqlite3_context* ctx, const QVariant& v) {
  if (!v.isValid() || v.isNull()) {
    sqlite3_result_null(ctx);
    return;
  }
  switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
      sqlite3_result_int64(ctx, v.toLongLong());
      return;
    case QMetaType::Double:
      sqlite3_result_double(ctx, v.toDouble());
      return;
    case QMetaType::QByteArray: {
      QByteArray b = v.toByteArray();
      sqlite3_result_blob(ctx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
      return;
    }
    default: {
      QByteArray u = v.toString().toUtf8();
      sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
      return;
    }
  }
}

void ConvertFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto keyword = [](sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)));
  };
  auto from = JetTypeFromKeyword(keyword(argv[1]));
  auto to = JetTypeFromKeyword(keyword(argv[2]));
  if (!from || !to) {
    sqlite3_result_error(ctx, "_mt_convert: unknown type", -1);
    return;
  }
  try {
    SetResult(ctx, ConvertStoredValue(FromSqliteValue(argv[0]), *from, *to));
  } catch (const DbError& e) {
    QByteArray msg = e.description().toUtf8();
    sqlite3_result_error(ctx, msg.constData(), int(msg.size()));
  }
}

}  // namespace

QString DeclaredType(JetType type, int size) {
  if (type == JetType::Text) return QStringLiteral("TEXT(%1)").arg(size > 0 ? size : 255);
  for (const auto& t : kTypes)
    if (t.type == type) return QString::fromLatin1(t.declared);
  return QStringLiteral("MEMO TEXT");
}

JetType JetTypeFromDeclared(const QString& declared, int* size) {
  static const QRegularExpression word(QStringLiteral("^\\s*([A-Za-z_]+)\\s*(?:\\(\\s*(\\d+))?"));
  auto m = word.match(declared);
  QString w = m.hasMatch() ? m.captured(1).toUpper() : QString();
  int n = m.hasMatch() && !m.captured(2).isEmpty() ? m.captured(2).toInt() : 0;
  if (size) *size = 255;
  if (w == QLatin1String("TEXT") || w == QLatin1String("VARCHAR") || w == QLatin1String("CHAR") ||
      w == QLatin1String("NVARCHAR") || w == QLatin1String("NCHAR")) {
    if (n == 0 && w == QLatin1String("TEXT")) return JetType::Memo;
    if (size) *size = n > 0 ? n : 255;
    return JetType::Text;
  }
  if (w == QLatin1String("MEMO") || w == QLatin1String("LONGTEXT") || w == QLatin1String("CLOB") ||
      w.isEmpty())
    return JetType::Memo;
  if (w == QLatin1String("LONG") || w == QLatin1String("INT") || w == QLatin1String("INTEGER") ||
      w == QLatin1String("BIGINT"))
    return JetType::Long;
  if (w == QLatin1String("SHORT") || w == QLatin1String("SMALLINT")) return JetType::Short;
  if (w == QLatin1String("BYTE") || w == QLatin1String("TINYINT")) return JetType::Byte;
  if (w == QLatin1String("BIT") || w == QLatin1String("YESNO") || w == QLatin1String("BOOLEAN"))
    return JetType::Bit;
  if (w == QLatin1String("DATETIME") || w == QLatin1String("DATE") || w == QLatin1String("TIME") ||
      w == QLatin1String("TIMESTAMP"))
    return JetType::DateTime;
  if (w == QLatin1String("SINGLE")) return JetType::Single;
  if (w == QLatin1String("MONEY") || w == QLatin1String("CURRENCY")) return JetType::Money;
  if (w == QLatin1String("COUNTER") || w == QLatin1String("AUTOINCREMENT"))
    return JetType::AutoIncrement;
  if (w == QLatin1String("LONGBINARY") || w == QLatin1String("IMAGE") || w == QLatin1String("OLEOBJECT") ||
      w == QLatin1String("BLOB"))
    return JetType::LongBinary;
  if (w == QLatin1String("BINARY") || w == QLatin1String("VARBINARY")) {
    if (size) *size = n > 0 ? n : 510;
    return JetType::Binary;
  }
  if (w == QLatin1String("GUID") || w == QLatin1String("UNIQUEIDENTIFIER")) return JetType::Guid;
  if (w == QLatin1String("DECIMAL")) return JetType::Decimal;
  return JetType::Float;  // FLOAT, DOUBLE, REAL, NUMERIC, ...
}

QString JetTypeKeyword(JetType type) {
  for (const auto& t : kTypes)
    if (t.type == type) return QString::fromLatin1(t.keyword);
  return QStringLiteral("MEMO");
}

std::optional<JetType> JetTypeFromKeyword(const QString& keyword) {
  for (const auto& t : kTypes)
    if (keyword.compare(QLatin1String(t.keyword), Qt::CaseInsensitive) == 0) return t.type;
  return std::nullopt;
}

DefaultSql DefaultClause(const ColumnDef& column) {
  if (!column.defaultValue) return {};
  QString t = column.defaultValue->jetText.trimmed();
  QString u = t.toUpper();
  if (t.isEmpty() || u == QLatin1String("NULL")) return {};
  if (u == QLatin1String("TRUE") || u == QLatin1String("YES") || u == QLatin1String("ON"))
    return {QStringLiteral("-1"), true};
  if (u == QLatin1String("FALSE") || u == QLatin1String("NO") || u == QLatin1String("OFF"))
    return {QStringLiteral("0"), true};
  if (u == QLatin1String("NOW()") || u == QLatin1String("NOW"))
    return {QStringLiteral("(julianday('now','localtime') - %1)").arg(kJetEpochJulianDay, 0, 'f', 1),
            false};
  if (u == QLatin1String("DATE()") || u == QLatin1String("DATE"))
    return {QStringLiteral("(julianday('now','localtime','start of day') - %1)")
                .arg(kJetEpochJulianDay, 0, 'f', 1),
            false};
  if (u == QLatin1String("TIME()") || u == QLatin1String("TIME"))
    return {QStringLiteral("(julianday('now','localtime') - julianday('now','localtime','start of day'))"),
            false};
  if (t.size() >= 2 && (t.front() == QLatin1Char('"') || t.front() == QLatin1Char('\'')) &&
      t.back() == t.front()) {
    QString inner = t.mid(1, t.size() - 2);
    QString q(t.front());
    inner.replace(q + q, q);
    if (column.type == JetType::Bit) {
      if (auto b = ParseBoolWord(inner)) return {*b ? QStringLiteral("-1") : QStringLiteral("0"), true};
    }
    // SQLite ends a statement at a NUL, even inside a literal, and a DEFAULT
    // clause takes no expression that could join one in.
    if (inner.contains(QChar(u'\0')))
      throw DbError(dberr::kSyntax, QStringLiteral("A DEFAULT text cannot hold a NUL character."));
    QString literal = inner;
    literal.replace(QLatin1Char('\''), QLatin1String("''"));
    return {QLatin1Char('\'') + literal + QLatin1Char('\''), true};
  }
  if (t.size() >= 2 && t.front() == QLatin1Char('#') && t.back() == QLatin1Char('#')) {
    auto dt = ParseJetDateText(t.mid(1, t.size() - 2));
    if (!dt)
      throw DbError(dberr::kSyntax, QStringLiteral("Invalid date in DEFAULT: %1").arg(t));
    return {PlainNumber(DateTimeToJet(*dt)), true};
  }
  if (auto d = ParseNumber(t)) {
    if (column.type == JetType::Bit) return {*d != 0 ? QStringLiteral("-1") : QStringLiteral("0"), true};
    if (column.type == JetType::Money) {
      const std::optional<Currency> c = Currency::FromText(t);
      if (!c) throw DbError(dberr::kSyntax, QStringLiteral("DEFAULT %1 is beyond the range of MONEY.").arg(t));
      return {QString::number(c->units), true};
    }
    QString lit = t.startsWith(QLatin1Char('+')) ? t.mid(1) : t;
    return {lit, true};
  }
  throw DbError(dberr::kSyntax, QStringLiteral("Unsupported DEFAULT value: %1").arg(t));
}

QString ZeroValueSql(JetType type) {
  if (IsTextType(type)) return QStringLiteral("''");
  if (IsBinaryType(type)) return QStringLiteral("X''");
  if (type == JetType::Guid) return QStringLiteral("'{00000000-0000-0000-0000-000000000000}'");
  if (type == JetType::Decimal) return QStringLiteral("'0'");
  return QStringLiteral("0");
}

ValueKind ValueKindFromDeclared(const char* declared) {
  if (!declared) return ValueKind::Plain;
  JetType t = JetTypeFromDeclared(QString::fromUtf8(declared));
  if (t == JetType::Bit) return ValueKind::Bit;
  if (t == JetType::DateTime) return ValueKind::Date;
  if (t == JetType::Money) return ValueKind::Money;
  return ValueKind::Plain;
}

QVariant ReadColumn(sqlite3_stmt* stmt, int col, ValueKind kind) {
  int type = sqlite3_column_type(stmt, col);
  switch (type) {
    case SQLITE_NULL:
      return QVariant();
    case SQLITE_INTEGER:
      if (kind == ValueKind::Bit) return QVariant(sqlite3_column_int64(stmt, col) != 0);
      if (kind == ValueKind::Date) return QVariant(JetToDateTime(double(sqlite3_column_int64(stmt, col))));
      if (kind == ValueKind::Money) return QVariant::fromValue(Currency{sqlite3_column_int64(stmt, col)});
      return QVariant(qint64(sqlite3_column_int64(stmt, col)));
    case SQLITE_FLOAT:
      if (kind == ValueKind::Bit) return QVariant(sqlite3_column_double(stmt, col) != 0);
      if (kind == ValueKind::Date) return QVariant(JetToDateTime(sqlite3_column_double(stmt, col)));
      // Currency beyond its range (a sum SQLite could not keep whole).
      if (kind == ValueKind::Money) return QVariant(sqlite3_column_double(stmt, col) / Currency::kScale);
      return QVariant(sqlite3_column_double(stmt, col));
    case SQLITE_TEXT: {
      QString text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, col)),
                                       sqlite3_column_bytes(stmt, col));
      if (kind == ValueKind::Date) {
        if (auto dt = ParseJetDateText(text)) return QVariant(*dt);
      }
      return QVariant(text);
    }
    default: {
      const void* data = sqlite3_column_blob(stmt, col);
      return QVariant(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt, col)));
    }
  }
}

QVariant ToStoredValue(const QVariant& value, JetType type) {
  if (!value.isValid() || value.isNull()) return QVariant();
  if (value.metaType() == QMetaType::fromType<Currency>())
    return ConvertStoredValue(QVariant(qint64(value.value<Currency>().units)), JetType::Money, type);
  switch (value.typeId()) {
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
      QDateTime dt = value.typeId() == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0), Qt::UTC)
                                                        : value.toDateTime();
      double days = DateTimeToJet(dt);
      if (IsTextType(type)) return QVariant(DateText(days));
      return ConvertStoredValue(QVariant(days), JetType::DateTime, type);
    }
    case QMetaType::Bool:
      return ConvertStoredValue(QVariant(qint64(value.toBool() ? -1 : 0)), JetType::Bit, type);
    case QMetaType::QString:
      return ConvertStoredValue(value, JetType::Memo, type);
    case QMetaType::QByteArray:
      return value;
    case QMetaType::Double:
    case QMetaType::Float:
      return ConvertStoredValue(QVariant(value.toDouble()), JetType::Float, type);
    default:
      if (value.canConvert<qint64>())
        return ConvertStoredValue(QVariant(value.toLongLong()), JetType::Long, type);
      return ConvertStoredValue(QVariant(value.toString()), JetType::Memo, type);
  }
}

// A value for a Currency column: its count of ten-thousandths.
QVariant ToCurrencyUnits(const QVariant& value, JetType from) {
  std::optional<Currency> c;
  if (value.typeId() == QMetaType::QString) {
    const QString s = value.toString();
    if (s.trimmed().isEmpty()) return QVariant();
    c = Currency::FromText(s);
    if (!c) {
      if (auto b = ParseBoolWord(s)) c = Currency{*b ? -Currency::kScale : 0};
      else if (!ParseNumber(s)) Mismatch(value, JetType::Money);
    }
  } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
    int64_t units;
    if (!__builtin_mul_overflow(value.toLongLong(), Currency::kScale, &units)) c = Currency{units};
  } else {
    c = Currency::FromDouble(value.toDouble());
  }
  if (!c) throw DbError(dberr::kTypeMismatch, QStringLiteral("Overflow: '%1' is beyond the range of %2.")
                                                  .arg(value.toString(), JetTypeKeyword(JetType::Money)));
  (void)from;
  return QVariant(qint64(c->units));
}

QVariant ConvertStoredValue(const QVariant& value, JetType from, JetType to) {
  if (!value.isValid() || value.isNull()) return QVariant();
  const int id = value.typeId();
  if (id == QMetaType::QByteArray) return value;
  // Currency is stored as its count of ten-thousandths: as such it stays, and
  // converts to other types as its exact value.
  if (from == JetType::Money && id != QMetaType::QString) {
    const Currency c{id == QMetaType::Double ? std::llround(value.toDouble()) : value.toLongLong()};
    if (to == JetType::Money) return QVariant(qint64(c.units));
    if (IsTextType(to) || to == JetType::Decimal) return QVariant(c.Text());
    return ConvertStoredValue(QVariant(c.ToDouble()), JetType::Float, to);
  }
  if (to == JetType::Money) return ToCurrencyUnits(value, from);
  const bool isText = id == QMetaType::QString;
  const bool isInt = id == QMetaType::LongLong || id == QMetaType::Int;
  const double num = isText ? 0.0 : value.toDouble();

  if (IsTextType(to)) {
    if (isText) return value;
    if (from == JetType::DateTime) return QVariant(DateText(num));
    if (from == JetType::Bit) return QVariant(num != 0 ? QStringLiteral("True") : QStringLiteral("False"));
    if (isInt) return QVariant(QString::number(value.toLongLong()));
    return QVariant(PlainNumber(num));
  }

  // Bytes were handed back above; nothing else becomes binary.
  if (IsBinaryType(to)) Mismatch(value, to);

  if (to == JetType::Guid) {
    if (!isText) Mismatch(value, to);
    if (value.toString().trimmed().isEmpty()) return QVariant();
    if (auto g = CanonicalGuid(value.toString())) return QVariant(*g);
    Mismatch(value, to);
  }

  if (to == JetType::Decimal) {
    if (isInt) return QVariant(QString::number(value.toLongLong()));
    if (!isText) return QVariant(PlainNumber(num));
    if (value.toString().trimmed().isEmpty()) return QVariant();
    if (auto d = DecimalText(value.toString())) return QVariant(*d);
    if (auto b = ParseBoolWord(value.toString())) return QVariant(QString::fromLatin1(*b ? "-1" : "0"));
    Mismatch(value, to);
  }

  if (to == JetType::Bit) {
    if (!isText) return QVariant(qint64(num != 0 ? -1 : 0));
    if (auto b = ParseBoolWord(value.toString())) return QVariant(qint64(*b ? -1 : 0));
    if (auto d = ParseNumber(value.toString())) return QVariant(qint64(*d != 0 ? -1 : 0));
    if (value.toString().trimmed().isEmpty()) return QVariant();
    Mismatch(value, to);
  }

  if (IsWholeNumberType(to)) {
    if (isInt) return WholeNumber(double(value.toLongLong()), to, value);
    if (!isText) return WholeNumber(num, to, value);
    QString s = value.toString();
    if (s.trimmed().isEmpty()) return QVariant();
    if (auto d = ParseNumber(s)) return WholeNumber(*d, to, value);
    if (auto b = ParseBoolWord(s)) return QVariant(qint64(*b ? -1 : 0));
    Mismatch(value, to);
  }

  // SINGLE, FLOAT, DATETIME: a REAL.
  if (!isText) return QVariant(num);
  QString s = value.toString();
  if (s.trimmed().isEmpty()) return QVariant();
  if (auto d = ParseNumber(s)) return QVariant(*d);
  if (to == JetType::DateTime) {
    if (auto dt = ParseJetDateText(s)) return QVariant(DateTimeToJet(*dt));
  }
  Mismatch(value, to);
}

std::optional<QDateTime> ParseJetDateText(const QString& text) {
  // Jet's own reader, which knows no time zone; Qt's parsers would build
  // local times and lose the ones a daylight-saving change skips.
  if (std::optional<double> serial = ParseDateText(text)) return JetToDateTime(*serial);
  const QDate compact = QDate::fromString(text.trimmed(), QStringLiteral("yyyyMMdd"));
  if (compact.isValid()) return QDateTime(compact, QTime(0, 0), Qt::UTC);
  return std::nullopt;
}

void RegisterStorageFunctions(sqlite3* db) {
  sqlite3_create_function_v2(db, "_mt_convert", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                             &ConvertFunction, nullptr, nullptr, nullptr);
}

}  // namespace mt::engine
