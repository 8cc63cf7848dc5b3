#include "text/variant_convert.h"

#include <cmath>

#include "db/engine.h"

namespace mt {

namespace {

[[noreturn]] void ThrowNull() {
  throw DbError(rterr::kInvalidUseOfNull, QStringLiteral("Invalid use of Null"));
}

int32_t RoundToLong(double d) {
  if (!std::isfinite(d)) throw DbError(rterr::kOverflow, QStringLiteral("Overflow"));
  const double r = std::nearbyint(d);  // default rounding mode: half to even
  if (r < -2147483648.0 || r > 2147483647.0)
    throw DbError(rterr::kOverflow, QStringLiteral("Overflow"));
  return static_cast<int32_t>(r);
}

}  // namespace

bool IsNullValue(const QVariant& value) { return !value.isValid() || value.isNull(); }

QString TextOrEmpty(const QVariant& value) {
  if (IsNullValue(value)) return QString();
  if (value.typeId() == QMetaType::Bool) return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  return value.toString();
}

QString TextOf(const QVariant& value) {
  if (IsNullValue(value)) ThrowNull();
  return TextOrEmpty(value);
}

int32_t ToLong(const QVariant& value) {
  if (IsNullValue(value)) ThrowNull();
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? -1 : 0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar: {
      const qint64 v = value.toLongLong();
      if (v < INT32_MIN || v > INT32_MAX) throw DbError(rterr::kOverflow, QStringLiteral("Overflow"));
      return static_cast<int32_t>(v);
    }
    case QMetaType::Double:
    case QMetaType::Float:
      return RoundToLong(value.toDouble());
    default:
      break;
  }
  bool ok = false;
  const double d = value.toString().trimmed().toDouble(&ok);
  if (!ok) throw DbError(rterr::kTypeMismatch, QStringLiteral("Type mismatch"));
  return RoundToLong(d);
}

}  // namespace mt
