#include "db/store/result_text.h"

#include <QDateTime>
#include <charconv>
#include <cmath>

#include "db/store/schema_listing.h"

namespace mt::engine {

QString FieldText(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QStringLiteral("\\N");
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
