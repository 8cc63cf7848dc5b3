#include "protect/unscramble.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace mt {

namespace {

constexpr qsizetype kMaxValues = 32767;

// (value * multiplier) mod 256 with the sign of the product, or nothing when
// the signed 32-bit product overflows.
std::optional<int32_t> MixTerm(int32_t value, int32_t multiplier) {
  int32_t product = 0;
  if (__builtin_mul_overflow(value, multiplier, &product)) return std::nullopt;
  return product % 256;
}

// One element as a signed 32-bit decimal number: an optional sign and digits.
std::optional<int32_t> ParseValue(const QString& text) {
  if (text.isEmpty()) return std::nullopt;
  qsizetype i = (text.at(0) == QLatin1Char('-') || text.at(0) == QLatin1Char('+')) ? 1 : 0;
  if (i == text.size()) return std::nullopt;
  for (; i < text.size(); ++i) {
    if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9')) return std::nullopt;
  }
  bool ok = false;
  const qint64 v = text.toLongLong(&ok);
  if (!ok || v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

}  // namespace

QString StringUnscramble(const QString& list, int32_t& seed, bool& stripEnds) {
  const QString trimmed = [&] {
    qsizetype a = 0;
    qsizetype b = list.size();
    while (a < b && list.at(a) == QLatin1Char(' ')) ++a;
    while (b > a && list.at(b - 1) == QLatin1Char(' ')) --b;
    return list.mid(a, b - a);
  }();
  if (trimmed.isEmpty()) return QString();
  const QStringList parts = trimmed.split(QLatin1Char(' '));
  if (parts.size() > kMaxValues) return QString();

  // 1-based like the list positions; b[0] is unused.
  const int n = static_cast<int>(parts.size());
  std::vector<int32_t> b(static_cast<size_t>(n) + 1, 0);
  for (int i = 1; i <= n; ++i) {
    const auto v = ParseValue(parts.at(i - 1));
    if (!v) return QString();
    b[i] = *v;
  }

  const int32_t s = seed;
  const int32_t m1 = s % 233 + 11;
  const int32_t m2 = s % 239 + 7;
  const int32_t m3 = s % 241 + 5;
  const int32_t m4 = s % 251 + 3;

  // Each step reads only elements its pass has not rewritten yet.
  for (int i = 1; i <= n - 2; ++i) {
    const auto t = MixTerm(b[i + 1], m4);
    if (!t) return QString();
    b[i] = b[i] ^ b[i + 2] ^ *t;
  }
  for (int i = n; i >= 3; --i) {
    const auto t = MixTerm(b[i - 1], m3);
    if (!t) return QString();
    b[i] = b[i] ^ b[i - 2] ^ *t;
  }
  for (int i = 1; i <= n - 1; ++i) {
    const auto t = MixTerm(b[i + 1], m2);
    if (!t) return QString();
    b[i] = b[i] ^ b[i + 1] ^ *t;
  }
  for (int i = n; i >= 2; --i) {
    const auto t = MixTerm(b[i - 1], m1);
    if (!t) return QString();
    b[i] = b[i] ^ b[i - 1] ^ *t;
  }

  QString text;
  text.reserve(n);
  for (int i = 1; i <= n; ++i) {
    if (b[i] < 0 || b[i] > 255) return QString();
    text += QChar(static_cast<char16_t>(b[i]));
  }
  if (stripEnds) {
    if (text.size() < 4) return QString();
    return text.mid(2, text.size() - 4);
  }
  return text;
}

}  // namespace mt
