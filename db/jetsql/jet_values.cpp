#include "db/jetsql/jet_values.h"

#include <sqlite3.h>

#include <cmath>

#include "db/jetsql/jet_dates.h"

namespace mt::engine {

QString JetNumberText(double d) {
  if (std::isnan(d)) return QStringLiteral("NaN");
  if (d == std::trunc(d) && std::fabs(d) < 1e15) return QString::number(static_cast<long long>(d));
  QString s = QString::number(d, 'g', 15);
  s.replace(u'e', u'E');
  return s;
}

std::optional<double> TextToNumber(QStringView text) {
  QStringView t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  bool ok = false;
  double d = t.toDouble(&ok);
  if (!ok || std::isnan(d) || std::isinf(d)) return std::nullopt;
  return d;
}

QString ValueText(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      return {};
    case SQLITE_INTEGER:
      return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
      return JetNumberText(sqlite3_value_double(v));
    default: {
      const void* p = sqlite3_value_text16(v);
      int bytes = sqlite3_value_bytes16(v);
      return QString(reinterpret_cast<const QChar*>(p), bytes / 2);
    }
  }
}

std::optional<double> ValueNumber(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      return std::nullopt;
    case SQLITE_INTEGER:
      return static_cast<double>(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
      return sqlite3_value_double(v);
    default:
      return TextToNumber(ValueText(v));
  }
}

std::optional<double> ValueDate(sqlite3_value* v) {
  const int type = sqlite3_value_type(v);
  if (type == SQLITE_NULL) return std::nullopt;
  if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) return ValueNumber(v);
  const QString s = ValueText(v);
  if (std::optional<double> d = ParseDateText(s)) return d;
  return TextToNumber(s);
}

double JetVal(QStringView text) {
  // Val skips blanks, tabs and line feeds anywhere in the text.
  QString s;
  s.reserve(text.size());
  for (QChar c : text)
    if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r') s += c;
  qsizetype i = 0;
  const qsizetype n = s.size();
  if (n >= 2 && s[0] == u'&' && (s[1] == u'H' || s[1] == u'h' || s[1] == u'O' || s[1] == u'o')) {
    const int base = (s[1] == u'H' || s[1] == u'h') ? 16 : 8;
    long long v = 0;
    for (i = 2; i < n; ++i) {
      int digit = QChar(s[i]).digitValue();
      if (base == 16 && digit < 0) {
        char16_t c = s[i].toLower().unicode();
        if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
      }
      if (digit < 0 || digit >= base || v > (1LL << 40)) break;
      v = v * base + digit;
    }
    return static_cast<double>(v);
  }
  qsizetype end = 0;
  if (end < n && (s[end] == u'-' || s[end] == u'+')) ++end;
  qsizetype digitsStart = end;
  while (end < n && s[end].isDigit() && s[end].unicode() < 128) ++end;
  if (end < n && s[end] == u'.') {
    ++end;
    while (end < n && s[end].isDigit() && s[end].unicode() < 128) ++end;
  }
  if (end == digitsStart || (end == digitsStart + 1 && s[digitsStart] == u'.')) return 0;
  if (end < n && (s[end] == u'E' || s[end] == u'e' || s[end] == u'D' || s[end] == u'd')) {
    qsizetype k = end + 1;
    if (k < n && (s[k] == u'-' || s[k] == u'+')) ++k;
    if (k < n && s[k].isDigit()) {
      while (k < n && s[k].isDigit()) ++k;
      QString num = s.left(k);
      num.replace(u'D', u'E').replace(u'd', u'e');
      bool ok = false;
      double d = num.toDouble(&ok);
      if (ok && !std::isinf(d)) return d;
    }
  }
  bool ok = false;
  double d = QStringView(s).left(end).toDouble(&ok);
  return ok ? d : 0;
}

}  // namespace mt::engine
