#include "db/store/result_text.h"

#include <QDateTime>
#include <charconv>
#include <cmath>

#include "db/currency.h"
#include "db/store/schema_listing.h"

namespace mt::engine {

QString FieldText(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QStringLiteral("\\N");
  if (value.metaType() == QMetaType::fromType<Currency>()) return value.value<Currency>().Text();
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime:
      return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
      return value.toDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
    case QMetaType::Double:
    case QMetaType::Float: {
      double d = value.toDouble();
      if (std::isnan(d) || std::isinf(d)) return QString::number(d);
      char buf[400];
      auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
      return QString::fromLatin1(buf, int(res.ptr - buf));
    }
    case QMetaType::QByteArray:
      return QStringLiteral("0x") + QString::fromLatin1(value.toByteArray().toHex());
    default:
      return EscapeField(value.toString());
  }
}

namespace {

bool IsNumber(const QVariant& value) {
  if (value.metaType() == QMetaType::fromType<Currency>()) return true;  // its exact decimal
  switch (value.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Char: case QMetaType::UChar:
    case QMetaType::SChar:
      return true;
    case QMetaType::Double: case QMetaType::Float:
      return std::isfinite(value.toDouble());
    default:
      return false;
  }
}

// The value's text without FieldText's escapes.
QString PlainText(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Bool: case QMetaType::QDateTime: case QMetaType::QDate: case QMetaType::Double:
    case QMetaType::Float: case QMetaType::QByteArray:
      return FieldText(value);
    default:
      return value.toString();
  }
}

QString CsvField(const QString& text) {
  if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\r')) &&
      !text.contains(QLatin1Char('\n')))
    return text;
  return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString JsonString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '"': out += QLatin1String("\\\""); break;
      case '\\': out += QLatin1String("\\\\"); break;
      case '\n': out += QLatin1String("\\n"); break;
      case '\r': out += QLatin1String("\\r"); break;
      case '\t': out += QLatin1String("\\t"); break;
      default:
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
          out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
          out += c;
    }
  }
  return out + QLatin1Char('"');
}

QString JsonValue(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QStringLiteral("null");
  if (value.typeId() == QMetaType::Bool) return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
  if (IsNumber(value)) return FieldText(value);
  if (value.typeId() == QMetaType::QDateTime)
    return JsonString(value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
  if (value.typeId() == QMetaType::QDate)
    return JsonString(value.toDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("T00:00:00"));
  if (value.typeId() == QMetaType::QByteArray) return JsonString(QString::fromLatin1(value.toByteArray().toHex()));
  return JsonString(PlainText(value));
}

}  // namespace

QString RecordsetCsv(Recordset& rs) {
  QStringList header;
  for (int i = 0; i < rs.FieldCount(); ++i) header << CsvField(rs.FieldName(i));
  QString out = header.join(QLatin1Char(',')) + QLatin1String("\r\n");
  while (!rs.Eof()) {
    QStringList fields;
    for (int i = 0; i < rs.FieldCount(); ++i) {
      const QVariant value = rs.Value(i);
      fields << (value.isNull() ? QString() : CsvField(PlainText(value)));
    }
    out += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    rs.MoveNext();
  }
  return out;
}

QString RecordsetJson(Recordset& rs) {
  QStringList rows;
  while (!rs.Eof()) {
    QStringList members;
    for (int i = 0; i < rs.FieldCount(); ++i) members << JsonString(rs.FieldName(i)) + QLatin1Char(':') + JsonValue(rs.Value(i));
    rows << QLatin1Char('{') + members.join(QLatin1Char(',')) + QLatin1Char('}');
    rs.MoveNext();
  }
  return rows.isEmpty() ? QStringLiteral("[]\n") : QStringLiteral("[\n") + rows.join(QStringLiteral(",\n")) + QStringLiteral("\n]\n");
}

QStringList RecordsetLines(Recordset& rs) {
  QStringList lines;
  QStringList header;
  for (int i = 0; i < rs.FieldCount(); ++i) header << EscapeField(rs.FieldName(i));
  lines << header.join(QLatin1Char('\t'));
  while (!rs.Eof()) {
    QStringList fields;
    for (int i = 0; i < rs.FieldCount(); ++i) fields << FieldText(rs.Value(i));
    lines << fields.join(QLatin1Char('\t'));
    rs.MoveNext();
  }
  return lines;
}

}  // namespace mt::engine
