#include "db/currency.h"

#include <QVariant>
#include <cmath>
#include <mutex>

namespace mt {

QString Currency::Text() const {
  // Through the unsigned magnitude: -922337203685477.5808 has no positive twin.
  const bool negative = units < 0;
  const uint64_t magnitude = negative ? uint64_t(0) - uint64_t(units) : uint64_t(units);
  QString s = QString::number(magnitude / uint64_t(kScale));
  uint64_t fraction = magnitude % uint64_t(kScale);
  if (fraction) {
    QString digits = QString::number(fraction).rightJustified(4, u'0');
    while (digits.endsWith(u'0')) digits.chop(1);
    s += u'.' + digits;
  }
  return negative ? u'-' + s : s;
}

std::optional<Currency> Currency::FromText(QStringView text) {
  QStringView t = text.trimmed();
  bool negative = false;
  if (!t.isEmpty() && (t[0] == u'-' || t[0] == u'+')) {
    negative = t[0] == u'-';
    t = t.mid(1);
  }
  // Digits, an optional point and fraction, an optional exponent: an
  // exponent goes through a double (such texts are never exact decimals
  // of four places anyway).
  qsizetype i = 0;
  __int128 whole = 0;
  int wholeDigits = 0;
  while (i < t.size() && t[i].isDigit() && t[i].unicode() < 0x80) {
    whole = whole * 10 + (t[i].unicode() - u'0');
    if (whole > (__int128(1) << 80)) return std::nullopt;
    ++i;
    ++wholeDigits;
  }
  __int128 fraction = 0;  // the first five places; the rest only says "more"
  int places = 0;
  bool beyond = false;
  if (i < t.size() && t[i] == u'.') {
    ++i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 0x80) {
      const int digit = t[i].unicode() - u'0';
      if (places < 5) {
        fraction = fraction * 10 + digit;
        ++places;
      } else if (digit) {
        beyond = true;
      }
      ++i;
      ++wholeDigits;  // counts as a digit for "is there a number"
    }
  }
  if (wholeDigits == 0) return std::nullopt;
  if (i < t.size()) {
    if (t[i] != u'e' && t[i] != u'E') return std::nullopt;
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    return FromDouble(d);
  }
  while (places < 5) {
    fraction *= 10;
    ++places;
  }
  // fraction holds five places: round the fifth half to even.
  __int128 scaled = whole * kScale + fraction / 10;
  const int fifth = int(fraction % 10);
  if (fifth > 5 || (fifth == 5 && (beyond || (scaled & 1)))) ++scaled;
  if (negative) scaled = -scaled;
  if (scaled < INT64_MIN || scaled > INT64_MAX) return std::nullopt;
  return Currency{int64_t(scaled)};
}

std::optional<Currency> Currency::FromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // long double carries 64 bits of mantissa: the product is exact for every
  // double that names a value within the range.
  const long double scaled = std::nearbyint(static_cast<long double>(value) * kScale);
  if (scaled < -9223372036854775808.0L || scaled > 9223372036854775807.0L) return std::nullopt;
  return Currency{static_cast<int64_t>(scaled)};
}

void RegisterCurrencyConversions() {
  static std::once_flag once;
  std::call_once(once, [] {
    QMetaType::registerConverter<Currency, double>(&Currency::ToDouble);
    QMetaType::registerConverter<Currency, QString>(&Currency::Text);
  });
}

}  // namespace mt
