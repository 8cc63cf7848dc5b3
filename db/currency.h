// Jet's Currency as it crosses the engine boundary: a 64-bit count of
// ten-thousandths, exact over its whole range (-922337203685477.5808 to
// 922337203685477.5807).
//
// Promises:
//  - Text() is the exact decimal, without trailing zeros or an exponent
//    ("1552.6", "-0.0001", "3").
//  - FromText() reads a decimal exactly; digits beyond the fourth place round
//    half to even, as Jet's CCur does; FromDouble() rounds the same way. Both
//    answer nullopt for no number or a value outside the range.
//  - A QVariant holding a Currency converts to double and to QString
//    (RegisterCurrencyConversions(), called by the engine when it opens).
#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace mt {

struct Currency {
  static constexpr int64_t kScale = 10000;
  int64_t units = 0;  // ten-thousandths

  double ToDouble() const { return static_cast<double>(units) / static_cast<double>(kScale); }
  QString Text() const;
  static std::optional<Currency> FromText(QStringView text);
  static std::optional<Currency> FromDouble(double value);
  friend bool operator==(Currency a, Currency b) { return a.units == b.units; }
};

void RegisterCurrencyConversions();

}  // namespace mt

Q_DECLARE_METATYPE(mt::Currency)
