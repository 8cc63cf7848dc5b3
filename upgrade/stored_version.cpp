#include "upgrade/stored_version.h"

#include <QLocale>
#include <cmath>
#include <optional>

#include "db/engine.h"

namespace mt {
namespace {

// The classic conversion failures of a version that is not a whole number.
constexpr int32_t kTypeMismatch = 13;
constexpr int32_t kOverflow = 6;

// A number read the classic way: numeric values as they are, texts when they
// read as a decimal number (blanks around it allowed). Nothing otherwise.
std::optional<double> AsNumber(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return std::nullopt;
  bool ok = false;
  const double d = value.typeId() == QMetaType::QString
                       ? QLocale::c().toDouble(value.toString().trimmed(), &ok)
                       : value.toDouble(&ok);
  if (!ok || !std::isfinite(d)) return std::nullopt;
  return d;
}

// Whole-number conversion with rounding half to even, failing outside 32 bits.
int32_t ToLong(double d) {
  const double r = std::nearbyint(d);  // default rounding mode: half to even
  if (r < INT32_MIN || r > INT32_MAX) throw DbError(kOverflow, QStringLiteral("Overflow"));
  return static_cast<int32_t>(r);
}

}  // namespace

int32_t VersionFromStored(const QVariant& stored,
                          const std::function<QString(const QString&)>& decrypt) {
  if (const auto n = AsNumber(stored)) return ToLong(*n);
  if (const auto n = AsNumber(QVariant(decrypt(stored.toString())))) return ToLong(*n);
  throw DbError(kTypeMismatch, QStringLiteral("Type mismatch"));
}

}  // namespace mt
