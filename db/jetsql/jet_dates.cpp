#include "db/jetsql/jet_dates.h"

#include <QDateTime>
#include <cmath>

#include "app/services.h"

namespace mt::engine {

const QDate& JetBaseDate() {
  static const QDate base(1899, 12, 30);
  return base;
}

CivilTime SerialToCivil(double serial) {
  double day = std::trunc(serial);
  double frac = std::fabs(serial - day);
  int64_t ms = std::llround(frac * static_cast<double>(kMsPerDay));
  CivilTime c;
  c.date = JetBaseDate().addDays(static_cast<qint64>(day));
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    c.date = c.date.addDays(1);
  }
  c.msecs = static_cast<int>(ms);
  return c;
}

double CivilToSerial(const QDate& date, int msecs) {
  const double day = static_cast<double>(JetBaseDate().daysTo(date));
  const double frac = static_cast<double>(msecs) / static_cast<double>(kMsPerDay);
  return day >= 0 ? day + frac : day - frac;
}

int64_t SerialToLinearMs(double serial) {
  CivilTime c = SerialToCivil(serial);
  return JetBaseDate().daysTo(c.date) * kMsPerDay + c.msecs;
}

double LinearMsToSerial(int64_t ms) {
  int64_t day = ms / kMsPerDay;
  int64_t rest = ms % kMsPerDay;
  if (rest < 0) {
    rest += kMsPerDay;
    --day;
  }
  return CivilToSerial(JetBaseDate().addDays(day), static_cast<int>(rest));
}

namespace {

// A small cursor over the text for the hand-written date reader.
struct Reader {
  QStringView s;
  qsizetype i = 0;

  void skipSpaces() {
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  }
  bool atEnd() const { return i >= s.size(); }
  // Reads up to `maxDigits` decimal digits; -1 when none stand here.
  int number(int maxDigits, int* count = nullptr) {
    int v = 0, n = 0;
    while (i < s.size() && n < maxDigits && s[i] >= u'0' && s[i] <= u'9') {
      v = v * 10 + (s[i].unicode() - u'0');
      ++i;
      ++n;
    }
    if (count) *count = n;
    return n == 0 ? -1 : v;
  }
  bool take(char16_t c) {
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
};

int FullYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

// hh:nn[:ss[.fff]] [AM|PM]; false when the text does not continue as a time.
bool ReadTime(Reader& r, int* msecs) {
  int h = r.number(2);
  if (h < 0 || !r.take(u':')) return false;
  int m = r.number(2);
  if (m < 0) return false;
  int s = 0, ms = 0;
  if (r.take(u':')) {
    s = r.number(2);
    if (s < 0) return false;
    if (r.take(u'.')) {
      int digits = 0;
      int frac = r.number(3, &digits);
      if (frac < 0) return false;
      while (digits < 3) {
        frac *= 10;
        ++digits;
      }
      ms = frac;
      while (!r.atEnd() && r.s[r.i].isDigit()) ++r.i;
    }
  }
  r.skipSpaces();
  if (r.i + 2 <= r.s.size()) {
    QStringView suffix = r.s.mid(r.i, 2);
    bool am = suffix.compare(u"AM", Qt::CaseInsensitive) == 0;
    bool pm = suffix.compare(u"PM", Qt::CaseInsensitive) == 0;
    if (am || pm) {
      if (h < 1 || h > 12) return false;
      if (am && h == 12) h = 0;
      if (pm && h != 12) h += 12;
      r.i += 2;
    }
  }
  if (h > 23 || m > 59 || s > 59) return false;
  *msecs = ((h * 60 + m) * 60 + s) * 1000 + ms;
  return true;
}

}  // namespace

std::optional<double> ParseDateText(QStringView text) {
  Reader r{text.trimmed()};
  if (r.s.isEmpty()) return std::nullopt;
  int msecs = 0;
  // A time alone: "hh:nn..." stands on the base day.
  {
    Reader probe = r;
    int h = probe.number(2);
    if (h >= 0 && probe.take(u':')) {
      if (!ReadTime(r, &msecs)) return std::nullopt;
      r.skipSpaces();
      if (!r.atEnd()) return std::nullopt;
      return CivilToSerial(JetBaseDate(), msecs);
    }
  }
  int d1 = 0, d2 = 0, d3 = 0;
  int n1 = r.number(4, &d1);
  if (n1 < 0) return std::nullopt;
  char16_t sep = r.atEnd() ? 0 : r.s[r.i].unicode();
  if (sep != u'-' && sep != u'/' && sep != u'.') return std::nullopt;
  ++r.i;
  int n2 = r.number(2, &d2);
  if (n2 < 0 || !r.take(sep)) return std::nullopt;
  int n3 = r.number(4, &d3);
  if (n3 < 0) return std::nullopt;
  int year, month, day;
  if (d1 > 2) {  // yyyy-mm-dd
    year = n1;
    month = n2;
    day = n3;
  } else {  // m/d/yyyy, the order of Jet's #...# literals
    month = n1;
    day = n2;
    year = FullYear(n3, d3);
  }
  QDate date(year, month, day);
  if (!date.isValid()) return std::nullopt;
  bool spaced = !r.atEnd() && (r.s[r.i] == u' ' || r.s[r.i] == u'T');
  if (spaced) ++r.i;
  r.skipSpaces();
  if (!r.atEnd()) {
    if (!spaced || !ReadTime(r, &msecs)) return std::nullopt;
    r.skipSpaces();
    if (!r.atEnd()) return std::nullopt;
  }
  return CivilToSerial(date, msecs);
}

double NowSerial() {
  // Through the clock service, so tests can fix the time.
  QDateTime now = services().clock->Now().toLocalTime();
  QTime t = now.time();
  int ms = (t.hour() * 3600 + t.minute() * 60 + t.second()) * 1000;
  return CivilToSerial(now.date(), ms);
}

}  // namespace mt::engine
