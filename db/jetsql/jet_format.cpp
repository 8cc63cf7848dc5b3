#include "db/jetsql/jet_format.h"

#include <sqlite3.h>

#include <cmath>
#include <vector>

#include "db/jetsql/jet_dates.h"
#include "db/jetsql/jet_values.h"

namespace mt::engine {

namespace {

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

QString Pad2(int v) { return v < 10 ? u'0' + QString::number(v) : QString::number(v); }

// One piece of a date format: a run of one placeholder letter, an AM/PM
// marker, or literal text.
struct DatePiece {
  enum Kind { Literal, Letter, AmPm } kind;
  char16_t letter = 0;
  int count = 0;
  QString text;  // Literal text, or the AM/PM marker as written
};

// Splits off a quoted string or an escaped character; false when `i` is at
// neither.
bool ReadLiteral(QStringView f, qsizetype& i, QString* out) {
  if (f[i] == u'"') {
    qsizetype j = i + 1;
    while (j < f.size() && f[j] != u'"') ++j;
    *out += f.mid(i + 1, j - i - 1);
    i = j < f.size() ? j + 1 : j;
    return true;
  }
  if (f[i] == u'\\') {
    if (i + 1 < f.size()) *out += f[i + 1];
    i += 2;
    return true;
  }
  return false;
}

bool StartsWithCi(QStringView f, qsizetype i, QStringView what) {
  return f.mid(i, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

std::vector<DatePiece> SplitDateFormat(QStringView f) {
  std::vector<DatePiece> pieces;
  auto literal = [&](const QString& s) {
    if (s.isEmpty()) return;
    if (!pieces.empty() && pieces.back().kind == DatePiece::Literal) pieces.back().text += s;
    else pieces.push_back({DatePiece::Literal, 0, 0, s});
  };
  qsizetype i = 0;
  while (i < f.size()) {
    QString lit;
    if (ReadLiteral(f, i, &lit)) {
      literal(lit);
      continue;
    }
    for (QStringView marker : {u"AM/PM", u"A/P", u"AMPM"}) {
      if (StartsWithCi(f, i, marker)) {
        pieces.push_back({DatePiece::AmPm, 0, 0, f.mid(i, marker.size()).toString()});
        i += marker.size();
        goto next;
      }
    }
    {
      const char16_t c = QChar(f[i]).toLower().unicode();
      if (c == u'y' || c == u'm' || c == u'd' || c == u'h' || c == u'n' || c == u's' || c == u'w' ||
          c == u'q' || c == u'c' || c == u't') {
        qsizetype j = i;
        while (j < f.size() && QChar(f[j]).toLower().unicode() == c) ++j;
        pieces.push_back({DatePiece::Letter, c, static_cast<int>(j - i), QString()});
        i = j;
      } else {
        literal(QString(f[i]));
        ++i;
      }
    }
  next:;
  }
  return pieces;
}

QString FormatDatePieces(const CivilTime& c, const std::vector<DatePiece>& pieces);

QString GeneralDate(const CivilTime& c) {
  static const std::vector<DatePiece> dateOnly = SplitDateFormat(u"yyyy-mm-dd");
  static const std::vector<DatePiece> timeOnly = SplitDateFormat(u"hh:nn:ss");
  static const std::vector<DatePiece> both = SplitDateFormat(u"yyyy-mm-dd hh:nn:ss");
  if (c.date == JetBaseDate() && c.msecs != 0) return FormatDatePieces(c, timeOnly);
  return FormatDatePieces(c, c.msecs == 0 ? dateOnly : both);
}

QString FormatDatePieces(const CivilTime& c, const std::vector<DatePiece>& pieces) {
  bool twelveHour = false;
  for (const DatePiece& p : pieces)
    if (p.kind == DatePiece::AmPm) twelveHour = true;
  const int hour = c.msecs / 3'600'000;
  const int minute = (c.msecs / 60'000) % 60;
  const int second = (c.msecs / 1000) % 60;
  const int weekday = c.date.dayOfWeek() % 7;  // 0 = Sunday
  QString out;
  for (size_t k = 0; k < pieces.size(); ++k) {
    const DatePiece& p = pieces[k];
    if (p.kind == DatePiece::Literal) {
      out += p.text;
      continue;
    }
    if (p.kind == DatePiece::AmPm) {
      const bool pm = hour >= 12;
      const QString& m = p.text;
      if (m.compare(u"AMPM", Qt::CaseInsensitive) == 0) out += pm ? u"PM" : u"AM";
      else if (m.size() == 3) out += pm ? m[2] : m[0];             // A/P
      else out += pm ? m.mid(3, 2) : m.left(2);                     // AM/PM as written
      continue;
    }
    int n = p.count;
    switch (p.letter) {
      case u'y':
        while (n >= 4) {
          out += QStringLiteral("%1").arg(c.date.year(), 4, 10, QChar(u'0'));
          n -= 4;
        }
        if (n >= 2) {
          out += Pad2(c.date.year() % 100);
          n -= 2;
        }
        if (n == 1) out += QString::number(c.date.dayOfYear());
        break;
      case u'm': {
        bool minute_ = false;
        if (n <= 2) {
          // Minutes when it follows an hour or precedes a second.
          for (size_t b = k; b-- > 0;) {
            if (pieces[b].kind != DatePiece::Letter) continue;
            minute_ = pieces[b].letter == u'h';
            break;
          }
          for (size_t a = k + 1; !minute_ && a < pieces.size(); ++a) {
            if (pieces[a].kind != DatePiece::Letter) continue;
            minute_ = pieces[a].letter == u's';
            break;
          }
        }
        const int v = minute_ ? minute : c.date.month();
        if (n == 1) out += QString::number(v);
        else if (n == 2) out += Pad2(v);
        else if (n == 3) out += QLatin1String(kMonthNames[c.date.month() - 1]).left(3);
        else out += QLatin1String(kMonthNames[c.date.month() - 1]);
        break;
      }
      case u'd':
        if (n == 1) out += QString::number(c.date.day());
        else if (n == 2) out += Pad2(c.date.day());
        else if (n == 3) out += QLatin1String(kDayNames[weekday]).left(3);
        else if (n == 4) out += QLatin1String(kDayNames[weekday]);
        else if (n == 5) out += FormatDateSerial(CivilToSerial(c.date, 0), u"yyyy-mm-dd");
        else out += FormatDateSerial(CivilToSerial(c.date, 0), u"yyyy-mm-dd dddd");
        break;
      case u'h': {
        int h = hour;
        if (twelveHour) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += n >= 2 ? Pad2(h) : QString::number(h);
        break;
      }
      case u'n':
        out += n >= 2 ? Pad2(minute) : QString::number(minute);
        break;
      case u's':
        out += n >= 2 ? Pad2(second) : QString::number(second);
        break;
      case u'w':
        if (n == 1) {
          out += QString::number(weekday + 1);
        } else {
          const QDate jan1(c.date.year(), 1, 1);
          const int offset = jan1.dayOfWeek() % 7;
          out += QString::number((c.date.dayOfYear() - 1 + offset) / 7 + 1);
        }
        break;
      case u'q':
        out += QString::number((c.date.month() - 1) / 3 + 1);
        break;
      case u'c':
        out += GeneralDate(c);
        break;
      case u't':
        out += n >= 5 ? FormatDatePieces(c, SplitDateFormat(u"hh:nn:ss")) : QString(n, u't');
        break;
    }
  }
  return out;
}

// --- numbers ---

std::vector<QString> Sections(QStringView f) {
  std::vector<QString> out(1);
  qsizetype i = 0;
  while (i < f.size()) {
    if (f[i] == u'"' || f[i] == u'\\') {
      qsizetype start = i;
      QString ignored;
      ReadLiteral(f, i, &ignored);
      out.back() += f.mid(start, i - start);
    } else if (f[i] == u';') {
      out.emplace_back();
      ++i;
    } else {
      out.back() += f[i++];
    }
  }
  return out;
}

struct NumPiece {
  enum Kind { Literal, Digit, Point, Exponent } kind;
  QChar c;       // Digit: '0' or '#'; Exponent: '+' or '-'
  QString text;  // Literal
  bool upper = true;
};

QString GroupThousands(const QString& digits) {
  QString out;
  const qsizetype n = digits.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += u',';
    out += digits[i];
  }
  return out;
}

QString FormatNumberSection(double x, QStringView f, bool minus) {
  std::vector<NumPiece> pieces;
  bool grouping = false, percent = false, seenPoint = false, seenDigit = false;
  qsizetype i = 0;
  while (i < f.size()) {
    QString lit;
    if (ReadLiteral(f, i, &lit)) {
      pieces.push_back({NumPiece::Literal, QChar(), lit});
      continue;
    }
    const QChar c = f[i];
    if (c == u'0' || c == u'#') {
      pieces.push_back({NumPiece::Digit, c, QString()});
      seenDigit = true;
    } else if (c == u'.' && !seenPoint) {
      pieces.push_back({NumPiece::Point, c, QString()});
      seenPoint = true;
    } else if (c == u',') {
      if (seenDigit && !seenPoint) grouping = true;
    } else if ((c == u'E' || c == u'e') && i + 1 < f.size() && (f[i + 1] == u'+' || f[i + 1] == u'-')) {
      pieces.push_back({NumPiece::Exponent, f[i + 1], QString(), c == u'E'});
      ++i;
    } else {
      if (c == u'%') percent = true;
      pieces.push_back({NumPiece::Literal, QChar(), QString(c)});
    }
    ++i;
  }
  if (percent) x *= 100;

  // Count placeholders of the mantissa (before any exponent) and after it.
  int intPh = 0, intZeros = 0, fracPh = 0, expPh = 0, expZeros = 0;
  bool inFrac = false, inExp = false;
  for (const NumPiece& p : pieces) {
    if (p.kind == NumPiece::Point && !inExp) inFrac = true;
    if (p.kind == NumPiece::Exponent) inExp = true;
    if (p.kind != NumPiece::Digit) continue;
    if (inExp) {
      ++expPh;
      if (p.c == u'0') ++expZeros;
    } else if (inFrac) {
      ++fracPh;
    } else {
      ++intPh;
      if (p.c == u'0') ++intZeros;
    }
  }
  int exponent = 0;
  if (inExp && x != 0) {
    const int lead = std::max(intPh, 1);
    exponent = static_cast<int>(std::floor(std::log10(x))) - (lead - 1);
    x /= std::pow(10.0, exponent);
  }
  // Round half away from zero to the number of fraction placeholders.
  const double scale = std::pow(10.0, fracPh);
  double scaled = std::floor(x * scale + 0.5);
  if (inExp && scaled >= std::pow(10.0, std::max(intPh, 1)) * scale) {  // 9.99 -> 10.0
    x /= 10;
    ++exponent;
    scaled = std::floor(x * scale + 0.5);
  }
  QString all = QString::number(scaled, 'f', 0);
  while (all.size() <= fracPh) all.prepend(u'0');
  QString intDigits = all.left(all.size() - fracPh);
  QString fracDigits = all.right(fracPh);
  const bool isZero = scaled == 0;
  if (intDigits == u"0" && intZeros == 0) intDigits.clear();
  while (intDigits.size() < intZeros) intDigits.prepend(u'0');
  // Trailing '#' placeholders drop trailing zeros.
  {
    std::vector<QChar> fracKinds;
    bool afterPoint = false;
    for (const NumPiece& p : pieces) {
      if (p.kind == NumPiece::Point) afterPoint = true;
      if (p.kind == NumPiece::Exponent) break;
      if (afterPoint && p.kind == NumPiece::Digit) fracKinds.push_back(p.c);
    }
    qsizetype k = fracDigits.size();
    while (k > 0 && fracKinds[static_cast<size_t>(k - 1)] == u'#' && fracDigits[k - 1] == u'0') --k;
    fracDigits.truncate(k);
  }

  QString out;
  if (minus && !isZero) out += u'-';
  if (!seenDigit) {  // no placeholder at all: literals only
    for (const NumPiece& p : pieces) out += p.kind == NumPiece::Literal ? p.text : QString();
    return out;
  }
  int intSeen = 0, fracSeen = 0, expSeen = 0;
  bool frac = false, exp = false;
  QString expDigits = QString::number(std::abs(exponent));
  while (expDigits.size() < expZeros) expDigits.prepend(u'0');
  if (grouping) intDigits = GroupThousands(intDigits);
  for (const NumPiece& p : pieces) {
    switch (p.kind) {
      case NumPiece::Literal:
        out += p.text;
        break;
      case NumPiece::Point:
        if (!exp) frac = true;
        out += u'.';
        break;
      case NumPiece::Exponent:
        exp = true;
        out += p.upper ? u'E' : u'e';
        if (exponent < 0) out += u'-';
        else if (p.c == u'+') out += u'+';
        break;
      case NumPiece::Digit:
        if (exp) {
          // The first exponent placeholder takes every leading digit.
          const qsizetype rest = expPh - expSeen - 1;
          if (expSeen == 0) out += expDigits.left(std::max<qsizetype>(0, expDigits.size() - rest));
          else {
            const qsizetype at = expDigits.size() - (expPh - expSeen);
            if (at >= 0) out += expDigits[at];
          }
          ++expSeen;
        } else if (frac) {
          if (fracSeen < fracDigits.size()) out += fracDigits[fracSeen];
          ++fracSeen;
        } else {
          // The first integer placeholder takes every digit the later ones
          // do not; the later ones take one digit each from the right.
          const qsizetype rest = grouping ? 0 : intPh - intSeen - 1;
          if (intSeen == 0) {
            out += intDigits.left(std::max<qsizetype>(0, intDigits.size() - rest));
          } else if (!grouping) {
            const qsizetype at = intDigits.size() - (intPh - intSeen);
            if (at >= 0) out += intDigits[at];
          }
          ++intSeen;
        }
        break;
    }
  }
  return out;
}

QString FormatText(const QString& text, QStringView f) {
  bool lower = false, upper = false;
  std::vector<NumPiece> pieces;  // Digit pieces stand for '@' and '&'
  int slots = 0;
  qsizetype i = 0;
  while (i < f.size()) {
    QString lit;
    if (ReadLiteral(f, i, &lit)) {
      pieces.push_back({NumPiece::Literal, QChar(), lit});
      continue;
    }
    const QChar c = f[i++];
    if (c == u'<') lower = true;
    else if (c == u'>') upper = true;
    else if (c == u'!') {
    } else if (c == u'@' || c == u'&') {
      pieces.push_back({NumPiece::Digit, c, QString()});
      ++slots;
    } else {
      pieces.push_back({NumPiece::Literal, QChar(), QString(c)});
    }
  }
  QString t = lower ? text.toLower() : (upper ? text.toUpper() : text);
  if (slots == 0) {
    QString out = t;
    for (const NumPiece& p : pieces) out += p.text;
    return out;
  }
  // Placeholders fill from the right; the first one takes any surplus.
  QString out;
  int seen = 0;
  for (const NumPiece& p : pieces) {
    if (p.kind == NumPiece::Literal) {
      out += p.text;
      continue;
    }
    const qsizetype at = t.size() - (slots - seen);
    if (seen == 0 && at > 0) out += t.left(at + 1);
    else if (at >= 0) out += t[at];
    else if (p.c == u'@') out += u' ';
    ++seen;
  }
  return out;
}

struct Named {
  const char16_t* name;
  const char16_t* format;
  bool date;
};

const Named kNamed[] = {
    {u"general date", u"c", true},
    {u"long date", u"yyyy-mm-dd dddd", true},
    {u"medium date", u"yy-mmm-dd", true},
    {u"short date", u"yyyy-mm-dd", true},
    {u"long time", u"hh:nn:ss", true},
    {u"medium time", u"hh:nn AM/PM", true},
    {u"short time", u"hh:nn", true},
    {u"fixed", u"0.00", false},
    {u"standard", u"#,##0.00", false},
    {u"currency", u"#,##0.00", false},
    {u"percent", u"0.00%", false},
    {u"scientific", u"0.00E+00", false},
};

bool HasDigitPlaceholder(QStringView f) {
  qsizetype i = 0;
  while (i < f.size()) {
    QString ignored;
    if (ReadLiteral(f, i, &ignored)) continue;
    if (f[i] == u'0' || f[i] == u'#') return true;
    ++i;
  }
  return false;
}

bool HasDateLetter(QStringView f) {
  for (const DatePiece& p : SplitDateFormat(f))
    if (p.kind != DatePiece::Literal) return true;
  return false;
}

}  // namespace

QString FormatDateSerial(double serial, QStringView format) {
  return FormatDatePieces(SerialToCivil(serial), SplitDateFormat(format));
}

QString FormatNumber(double value, QStringView format) {
  const std::vector<QString> sec = Sections(format);
  if (value < 0 && sec.size() > 1 && !sec[1].isEmpty()) return FormatNumberSection(-value, sec[1], false);
  if (value == 0 && sec.size() > 2 && !sec[2].isEmpty()) return FormatNumberSection(0, sec[2], false);
  return FormatNumberSection(std::fabs(value), sec[0], value < 0);
}

std::optional<QString> JetFormat(sqlite3_value* value, const QString& format) {
  const int type = sqlite3_value_type(value);
  const bool numeric = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
  const QString text = ValueText(value);
  if (format.isEmpty()) return text;

  const QString lowered = format.trimmed().toLower();
  for (const Named& n : kNamed) {
    if (lowered != QStringView(n.name)) continue;
    if (n.date) {
      std::optional<double> d = ValueDate(value);
      if (!d) return text;
      return FormatDateSerial(*d, QStringView(n.format));
    }
    std::optional<double> d = ValueNumber(value);
    if (!d) return text;
    return FormatNumber(*d, QStringView(n.format));
  }
  if (lowered == u"general number") {
    std::optional<double> d = ValueNumber(value);
    return d ? JetNumberText(*d) : text;
  }
  if (lowered == u"yes/no" || lowered == u"true/false" || lowered == u"on/off") {
    std::optional<double> d = ValueNumber(value);
    if (!d) return text;
    const bool on = *d != 0;
    if (lowered == u"yes/no") return on ? QStringLiteral("Yes") : QStringLiteral("No");
    if (lowered == u"true/false") return on ? QStringLiteral("True") : QStringLiteral("False");
    return on ? QStringLiteral("On") : QStringLiteral("Off");
  }

  if (HasDigitPlaceholder(format)) {
    std::optional<double> d = ValueNumber(value);
    if (!d) return text;
    return FormatNumber(*d, format);
  }
  if (HasDateLetter(format)) {
    std::optional<double> d = numeric ? ValueNumber(value) : ValueDate(value);
    if (!d) return text;
    return FormatDateSerial(*d, format);
  }
  return FormatText(text, format);
}

}  // namespace mt::engine
