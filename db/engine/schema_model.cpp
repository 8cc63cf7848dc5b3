#include "db/engine/schema_model.h"

namespace mt::engine {

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
  }
  return QStringLiteral("TEXT(%1)").arg(size);
}

}  // namespace mt::engine
