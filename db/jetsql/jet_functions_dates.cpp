// Jet's date functions (Now, DateAdd, DateDiff, DatePart, DateSerial, Year,
// ...) on day serials (see jet_dates.h).
#include "db/jetsql/jet_function_args.h"

#include <QDate>
#include <cmath>
#include <optional>

#include "db/jetsql/jet_dates.h"
#include "db/jetsql/jet_values.h"

namespace mt::engine::jetfn {

namespace {

// --- dates ---

void FnNow(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_double(ctx, NowSerial()); }

void FnDate(sqlite3_context* ctx, int, sqlite3_value**) {
  sqlite3_result_double(ctx, std::floor(NowSerial()));
}

void FnTime(sqlite3_context* ctx, int, sqlite3_value**) {
  double now = NowSerial();
  sqlite3_result_double(ctx, now - std::floor(now));
}

void FnDateValue(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!DateArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, CivilToSerial(SerialToCivil(d).date, 0));
}

void FnTimeValue(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!DateArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, CivilToSerial(JetBaseDate(), SerialToCivil(d).msecs));
}

enum class Part { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

std::optional<Part> ParseInterval(sqlite3_value* v) {
  if (IsNull(v)) return std::nullopt;
  const QString s = Text(v).trimmed().toLower();
  if (s == u"yyyy") return Part::Year;
  if (s == u"q") return Part::Quarter;
  if (s == u"m") return Part::Month;
  if (s == u"y") return Part::DayOfYear;
  if (s == u"d") return Part::Day;
  if (s == u"w") return Part::Weekday;
  if (s == u"ww") return Part::Week;
  if (s == u"h") return Part::Hour;
  if (s == u"n") return Part::Minute;
  if (s == u"s") return Part::Second;
  return std::nullopt;
}

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// 1 = Sunday ... 7 = Saturday, shifted so that `firstDay` is 1.
int WeekdayOf(const QDate& d, int firstDay) {
  int vb = d.dayOfWeek() % 7 + 1;  // Qt: Monday 1 .. Sunday 7
  return (vb - firstDay + 7) % 7 + 1;
}

bool FirstDayArg(sqlite3_context* ctx, int argc, sqlite3_value** argv, int index, int* firstDay) {
  *firstDay = 1;
  if (argc <= index) return true;
  int64_t f;
  if (!IntArg(ctx, argv[index], &f)) return false;
  if (f == 0) f = 1;  // "use the system setting": Sunday
  if (f < 1 || f > 7) {
    Fail(ctx, kInvalidCall);
    return false;
  }
  *firstDay = static_cast<int>(f);
  return true;
}

void FnDateAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
  std::optional<Part> part = ParseInterval(argv[0]);
  if (!part) return Fail(ctx, kInvalidCall);
  if (IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
  int64_t n;
  double serial;
  if (!IntArg(ctx, argv[1], &n) || !DateArg(ctx, argv[2], &serial)) return;
  if (n > 10'000'000'000LL || n < -10'000'000'000LL) return Fail(ctx, kOverflow);
  CivilTime c = SerialToCivil(serial);
  switch (*part) {
    case Part::Year:
    case Part::Quarter:
    case Part::Month: {
      int64_t months = n * (*part == Part::Year ? 12 : (*part == Part::Quarter ? 3 : 1));
      if (months > 200'000 || months < -200'000) return Fail(ctx, kOverflow);
      c.date = c.date.addMonths(static_cast<int>(months));  // clamps the day to the month's end
      return ResultSerial(ctx, CivilToSerial(c.date, c.msecs));
    }
    case Part::DayOfYear:
    case Part::Day:
    case Part::Weekday:
    case Part::Week: {
      int64_t days = *part == Part::Week ? n * 7 : n;
      if (days > 4'000'000 || days < -4'000'000) return Fail(ctx, kOverflow);
      return ResultSerial(ctx, CivilToSerial(c.date.addDays(days), c.msecs));
    }
    case Part::Hour:
    case Part::Minute:
    case Part::Second: {
      int64_t unit = *part == Part::Hour ? 3'600'000 : (*part == Part::Minute ? 60'000 : 1000);
      if (n > 400'000'000'000LL / unit || n < -400'000'000'000LL / unit) return Fail(ctx, kOverflow);
      return ResultSerial(ctx, LinearMsToSerial(SerialToLinearMs(serial) + n * unit));
    }
  }
}

void FnDateDiff(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  std::optional<Part> part = ParseInterval(argv[0]);
  if (!part) return Fail(ctx, kInvalidCall);
  if (IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
  double s1, s2;
  int firstDay;
  if (!DateArg(ctx, argv[1], &s1) || !DateArg(ctx, argv[2], &s2)) return;
  if (!FirstDayArg(ctx, argc, argv, 3, &firstDay)) return;
  const CivilTime a = SerialToCivil(s1);
  const CivilTime b = SerialToCivil(s2);
  const int64_t da = JetBaseDate().daysTo(a.date);
  const int64_t db = JetBaseDate().daysTo(b.date);
  int64_t r = 0;
  switch (*part) {
    case Part::Year: r = b.date.year() - a.date.year(); break;
    case Part::Quarter:
      r = (b.date.year() * 4 + (b.date.month() - 1) / 3) - (a.date.year() * 4 + (a.date.month() - 1) / 3);
      break;
    case Part::Month: r = (b.date.year() * 12 + b.date.month()) - (a.date.year() * 12 + a.date.month()); break;
    case Part::DayOfYear:
    case Part::Day: r = db - da; break;
    case Part::Weekday: r = (db - da) / 7; break;
    case Part::Week: {
      // Week boundaries crossed: 1899-12-31 (day 1) is a Sunday.
      const int64_t shift = 1 + (firstDay - 1);
      r = FloorDiv(db - shift, 7) - FloorDiv(da - shift, 7);
      break;
    }
    case Part::Hour:
    case Part::Minute:
    case Part::Second: {
      int64_t unit = *part == Part::Hour ? 3'600'000 : (*part == Part::Minute ? 60'000 : 1000);
      r = FloorDiv(SerialToLinearMs(s2), unit) - FloorDiv(SerialToLinearMs(s1), unit);
      break;
    }
  }
  sqlite3_result_int64(ctx, r);
}

int64_t DatePartOf(Part part, const CivilTime& c, int firstDay) {
  switch (part) {
    case Part::Year: return c.date.year();
    case Part::Quarter: return (c.date.month() - 1) / 3 + 1;
    case Part::Month: return c.date.month();
    case Part::DayOfYear: return c.date.dayOfYear();
    case Part::Day: return c.date.day();
    case Part::Weekday: return WeekdayOf(c.date, firstDay);
    case Part::Week: {
      // The week holding January 1 is week 1.
      QDate jan1(c.date.year(), 1, 1);
      int offset = WeekdayOf(jan1, firstDay) - 1;
      return (c.date.dayOfYear() - 1 + offset) / 7 + 1;
    }
    case Part::Hour: return c.msecs / 3'600'000;
    case Part::Minute: return (c.msecs / 60'000) % 60;
    case Part::Second: return (c.msecs / 1000) % 60;
  }
  return 0;
}

void FnDatePart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  std::optional<Part> part = ParseInterval(argv[0]);
  if (!part) return Fail(ctx, kInvalidCall);
  if (IsNull(argv[1])) return sqlite3_result_null(ctx);
  double s;
  int firstDay;
  if (!DateArg(ctx, argv[1], &s) || !FirstDayArg(ctx, argc, argv, 2, &firstDay)) return;
  sqlite3_result_int64(ctx, DatePartOf(*part, SerialToCivil(s), firstDay));
}

template <Part P>
void FnPartOf(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double s;
  int firstDay = 1;
  if (!DateArg(ctx, argv[0], &s)) return;
  if (P == Part::Weekday && !FirstDayArg(ctx, argc, argv, 1, &firstDay)) return;
  sqlite3_result_int64(ctx, DatePartOf(P, SerialToCivil(s), firstDay));
}

// DateSerial(year, month, day): months and days out of range roll over.
void FnDateSerial(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(3, argv)) return Fail(ctx, kInvalidNull);
  int64_t y, m, d;
  if (!IntArg(ctx, argv[0], &y) || !IntArg(ctx, argv[1], &m) || !IntArg(ctx, argv[2], &d)) return;
  if (y >= 0 && y < 30) y += 2000;
  else if (y >= 30 && y < 100) y += 1900;
  if (y < 100 || y > 9999 || m < -120000 || m > 120000 || d < -4000000 || d > 4000000)
    return Fail(ctx, kInvalidCall);
  QDate first = QDate(static_cast<int>(y), 1, 1).addMonths(static_cast<int>(m - 1));
  ResultSerial(ctx, CivilToSerial(first.addDays(d - 1), 0));
}

void FnTimeSerial(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(3, argv)) return Fail(ctx, kInvalidNull);
  int64_t h, n, s;
  if (!IntArg(ctx, argv[0], &h) || !IntArg(ctx, argv[1], &n) || !IntArg(ctx, argv[2], &s)) return;
  if (std::llabs(h) > 1'000'000 || std::llabs(n) > 60'000'000 || std::llabs(s) > 3'600'000'000LL)
    return Fail(ctx, kOverflow);
  ResultSerial(ctx, LinearMsToSerial(((h * 60 + n) * 60 + s) * 1000));
}

const JetFunction kDate[] = {
    {"NOW", "jet_now", 0, 0, FnNow, nullptr, false},
    {"DATE", "jet_date", 0, 0, FnDate, nullptr, false},
    {"TIME", "jet_time", 0, 0, FnTime, nullptr, false},
    {"DATEVALUE", "jet_datevalue", 1, 1, FnDateValue, nullptr, true},
    {"TIMEVALUE", "jet_timevalue", 1, 1, FnTimeValue, nullptr, true},
    {"DATEADD", "jet_dateadd", 3, 3, FnDateAdd, nullptr, true},
    {"DATEDIFF", "jet_datediff", 3, 5, FnDateDiff, nullptr, true},
    {"DATEPART", "jet_datepart", 2, 4, FnDatePart, nullptr, true},
    {"DATESERIAL", "jet_dateserial", 3, 3, FnDateSerial, nullptr, true},
    {"TIMESERIAL", "jet_timeserial", 3, 3, FnTimeSerial, nullptr, true},
    {"YEAR", "jet_year", 1, 1, FnPartOf<Part::Year>, nullptr, true},
    {"MONTH", "jet_month", 1, 1, FnPartOf<Part::Month>, nullptr, true},
    {"DAY", "jet_day", 1, 1, FnPartOf<Part::Day>, nullptr, true},
    {"HOUR", "jet_hour", 1, 1, FnPartOf<Part::Hour>, nullptr, true},
    {"MINUTE", "jet_minute", 1, 1, FnPartOf<Part::Minute>, nullptr, true},
    {"SECOND", "jet_second", 1, 1, FnPartOf<Part::Second>, nullptr, true},
    {"WEEKDAY", "jet_weekday", 1, 2, FnPartOf<Part::Weekday>, nullptr, true},
};

}  // namespace

std::span<const JetFunction> DateFunctions() { return kDate; }

}  // namespace mt::engine::jetfn
