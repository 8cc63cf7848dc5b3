#include "db/jetsql/schema_model.h"

namespace mt::engine {

QString NameKey(const QString& name) {
  const QChar* p = name.constData();
  const qsizetype n = name.size();
  qsizetype upper = -1;
  for (qsizetype i = 0; i < n; ++i) {
    if (p[i].unicode() >= 0x80) return name.toLower();
    if (upper < 0 && p[i] >= u'A' && p[i] <= u'Z') upper = i;
  }
  if (upper < 0) return name;
  QString key = name;
  char16_t* q = reinterpret_cast<char16_t*>(key.data());
  for (qsizetype i = upper; i < n; ++i)
    if (q[i] >= u'A' && q[i] <= u'Z') q[i] = char16_t(q[i] + 32);
  return key;
}

QString JetTypeName(JetType type, int size) {
  switch (type) {
    case JetType::Text: return QStringLiteral("TEXT(%1)").arg(size);
    case JetType::Memo: return QStringLiteral("MEMO");
    case JetType::Long: return QStringLiteral("LONG");
    case JetType::Short: return QStringLiteral("SHORT");
    case JetType::Byte: return QStringLiteral("BYTE");
    case JetType::Bit: return QStringLiteral("BIT");
    case JetType::DateTime: return QStringLiteral("DATETIME");
    case JetType::Single: return QStringLiteral("SINGLE");
    case JetType::Float: return QStringLiteral("FLOAT");
    case JetType::Money: return QStringLiteral("MONEY");
    case JetType::AutoIncrement: return QStringLiteral("AUTOINCREMENT");
    case JetType::LongBinary: return QStringLiteral("LONGBINARY");
    case JetType::Binary: return QStringLiteral("BINARY(%1)").arg(size);
    case JetType::Guid: return QStringLiteral("GUID");
    case JetType::Decimal: return QStringLiteral("DECIMAL(%1)").arg(size);
  }
  return QStringLiteral("TEXT(%1)").arg(size);
}

QString JetTypeName(const ColumnDef& column) {
  if (column.type == JetType::Decimal)
    return QStringLiteral("DECIMAL(%1,%2)").arg(column.size).arg(column.scale);
  return JetTypeName(column.type, column.size);
}

}  // namespace mt::engine
