#include "db/jetsql/jet_functions.h"

#include <sqlite3.h>

#include <QString>
#include <QStringView>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "db/jetsql/jet_dates.h"
#include "db/jetsql/jet_format.h"
#include "db/jetsql/jet_values.h"

namespace mt::engine {

namespace {

// --- argument and result helpers ---

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

QString Text(sqlite3_value* v) { return ValueText(v); }

void ResultText(sqlite3_context* ctx, const QString& s) {
  sqlite3_result_text16(ctx, s.utf16(), static_cast<int>(s.size() * 2), SQLITE_TRANSIENT);
}

void Fail(sqlite3_context* ctx, const char* message) { sqlite3_result_error(ctx, message, -1); }

constexpr const char* kInvalidNull = "Invalid use of Null";
constexpr const char* kInvalidCall = "Invalid procedure call or argument";
constexpr const char* kTypeMismatch = "Data type mismatch in criteria expression.";
constexpr const char* kOverflow = "Overflow";
constexpr const char* kDivisionByZero = "Division by zero";

// A numeric argument; fails the call (and returns false) when it is Null or
// no number.
bool NumberArg(sqlite3_context* ctx, sqlite3_value* v, double* out) {
  if (IsNull(v)) {
    Fail(ctx, kInvalidNull);
    return false;
  }
  std::optional<double> d = ValueNumber(v);
  if (!d) {
    Fail(ctx, kTypeMismatch);
    return false;
  }
  *out = *d;
  return true;
}

bool IntArg(sqlite3_context* ctx, sqlite3_value* v, int64_t* out) {
  double d;
  if (!NumberArg(ctx, v, &d)) return false;
  d = std::nearbyint(d);
  if (!(d >= -9.2e18 && d <= 9.2e18)) {
    Fail(ctx, kOverflow);
    return false;
  }
  *out = static_cast<int64_t>(d);
  return true;
}

bool DateArg(sqlite3_context* ctx, sqlite3_value* v, double* out) {
  if (IsNull(v)) {
    Fail(ctx, kInvalidNull);
    return false;
  }
  std::optional<double> d = ValueDate(v);
  if (!d) {
    Fail(ctx, kTypeMismatch);
    return false;
  }
  *out = *d;
  return true;
}

bool AnyNull(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (IsNull(argv[i])) return true;
  return false;
}

void ResultSerial(sqlite3_context* ctx, double serial) {
  // Years 100 to 9999 are the range of a Jet date.
  if (!(serial >= -657434.0 && serial < 2958466.0)) return Fail(ctx, kOverflow);
  sqlite3_result_double(ctx, serial);
}

bool IsNumericType(sqlite3_value* v) {
  int t = sqlite3_value_type(v);
  return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

// --- operators ---

void FnAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_value* a = argv[0];
  sqlite3_value* b = argv[1];
  if (IsNull(a) || IsNull(b)) return sqlite3_result_null(ctx);
  const bool numA = IsNumericType(a);
  const bool numB = IsNumericType(b);
  if (!numA && !numB) return ResultText(ctx, Text(a) + Text(b));
  if (sqlite3_value_type(a) == SQLITE_INTEGER && sqlite3_value_type(b) == SQLITE_INTEGER) {
    int64_t r;
    if (!__builtin_add_overflow(sqlite3_value_int64(a), sqlite3_value_int64(b), &r))
      return sqlite3_result_int64(ctx, r);
  }
  // Number + text: the text must read as a number.
  std::optional<double> x = ValueNumber(a);
  std::optional<double> y = ValueNumber(b);
  if (!x || !y) return Fail(ctx, kTypeMismatch);
  sqlite3_result_double(ctx, *x + *y);
}

void FnConcat(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) && IsNull(argv[1])) return sqlite3_result_null(ctx);
  ResultText(ctx, Text(argv[0]) + Text(argv[1]));
}

void FnDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  double a, b;
  if (!NumberArg(ctx, argv[0], &a) || !NumberArg(ctx, argv[1], &b)) return;
  if (b == 0) return Fail(ctx, kDivisionByZero);
  sqlite3_result_double(ctx, a / b);
}

void FnIntDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t a, b;
  if (!IntArg(ctx, argv[0], &a) || !IntArg(ctx, argv[1], &b)) return;
  if (b == 0) return Fail(ctx, kDivisionByZero);
  sqlite3_result_int64(ctx, a / b);
}

void FnMod(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t a, b;
  if (!IntArg(ctx, argv[0], &a) || !IntArg(ctx, argv[1], &b)) return;
  if (b == 0) return Fail(ctx, kDivisionByZero);
  sqlite3_result_int64(ctx, a % b);
}

void FnPow(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  double a, b;
  if (!NumberArg(ctx, argv[0], &a) || !NumberArg(ctx, argv[1], &b)) return;
  double r = std::pow(a, b);
  if (std::isnan(r)) return Fail(ctx, kInvalidCall);
  sqlite3_result_double(ctx, r);
}

template <int64_t (*F)(int64_t, int64_t)>
void FnBitwise(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  int64_t a, b;
  if (!IntArg(ctx, argv[0], &a) || !IntArg(ctx, argv[1], &b)) return;
  sqlite3_result_int64(ctx, F(a, b));
}
int64_t XorOf(int64_t a, int64_t b) { return a ^ b; }
int64_t EqvOf(int64_t a, int64_t b) { return ~(a ^ b); }
int64_t ImpOf(int64_t a, int64_t b) { return ~a | b; }

void FnLike(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (AnyNull(2, argv)) return sqlite3_result_null(ctx);
  sqlite3_result_int(ctx, JetLikeMatch(Text(argv[0]), Text(argv[1])) ? 1 : 0);
}

// --- text functions ---

void FnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  int64_t start, len = -1;
  if (!IntArg(ctx, argv[1], &start)) return;
  if (argc > 2 && !IntArg(ctx, argv[2], &len)) return;
  if (start < 1 || (argc > 2 && len < 0)) return Fail(ctx, kInvalidCall);
  QString s = Text(argv[0]);
  if (start > s.size()) return ResultText(ctx, QString());
  ResultText(ctx, s.mid(start - 1, argc > 2 ? len : -1));
}

void FnLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  int64_t n;
  if (!IntArg(ctx, argv[1], &n)) return;
  if (n < 0) return Fail(ctx, kInvalidCall);
  ResultText(ctx, Text(argv[0]).left(n));
}

void FnRight(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  int64_t n;
  if (!IntArg(ctx, argv[1], &n)) return;
  if (n < 0) return Fail(ctx, kInvalidCall);
  ResultText(ctx, Text(argv[0]).right(n));
}

void FnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, Text(argv[0]).size());
}

Qt::CaseSensitivity CompareMode(sqlite3_context* ctx, sqlite3_value* v, bool* ok) {
  int64_t mode = 0;
  *ok = IntArg(ctx, v, &mode);
  if (*ok && mode != 0 && mode != 1) {
    Fail(ctx, kInvalidCall);
    *ok = false;
  }
  return mode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

// InStr([start,] text, find[, compare]): 1-based position or 0.
void FnInStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  int64_t start = 1;
  int i = 0;
  if (argc >= 3) {
    if (!IntArg(ctx, argv[0], &start)) return;
    i = 1;
  }
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc == 4) {
    bool ok;
    cs = CompareMode(ctx, argv[3], &ok);
    if (!ok) return;
  }
  if (start < 1) return Fail(ctx, kInvalidCall);
  if (IsNull(argv[i]) || IsNull(argv[i + 1])) return sqlite3_result_null(ctx);
  QString s = Text(argv[i]);
  QString find = Text(argv[i + 1]);
  if (start > s.size()) return sqlite3_result_int(ctx, 0);
  if (find.isEmpty()) return sqlite3_result_int64(ctx, start);
  sqlite3_result_int64(ctx, s.indexOf(find, start - 1, cs) + 1);
}

void FnInStrRev(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  QString s = Text(argv[0]);
  QString find = Text(argv[1]);
  int64_t start = -1;
  if (argc > 2 && !IntArg(ctx, argv[2], &start)) return;
  if (start == 0 || start < -1) return Fail(ctx, kInvalidCall);
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc == 4) {
    bool ok;
    cs = CompareMode(ctx, argv[3], &ok);
    if (!ok) return;
  }
  if (start > s.size()) return sqlite3_result_int(ctx, 0);
  if (start == -1) start = s.size();
  if (find.isEmpty()) return sqlite3_result_int64(ctx, start);
  qsizetype from = start - find.size();
  if (from < 0) return sqlite3_result_int(ctx, 0);
  sqlite3_result_int64(ctx, s.lastIndexOf(find, from, cs) + 1);
}

QString TrimSpaces(const QString& s, bool left, bool right) {
  qsizetype a = 0, b = s.size();
  if (left)
    while (a < b && s[a] == u' ') ++a;
  if (right)
    while (b > a && s[b - 1] == u' ') --b;
  return s.mid(a, b - a);
}

template <bool L, bool R>
void FnTrim(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, TrimSpaces(Text(argv[0]), L, R));
}

void FnUCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, Text(argv[0]).toUpper());
}

void FnLCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, Text(argv[0]).toLower());
}

// Replace(text, find, with[, start[, count[, compare]]]); like VBA, the result
// begins at `start`.
void FnReplace(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (IsNull(argv[1]) || IsNull(argv[2])) return Fail(ctx, kInvalidNull);
  int64_t start = 1, count = -1;
  if (argc > 3 && !IntArg(ctx, argv[3], &start)) return;
  if (argc > 4 && !IntArg(ctx, argv[4], &count)) return;
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc > 5) {
    bool ok;
    cs = CompareMode(ctx, argv[5], &ok);
    if (!ok) return;
  }
  if (start < 1 || count < -1) return Fail(ctx, kInvalidCall);
  QString s = Text(argv[0]).mid(start - 1);
  const QString find = Text(argv[1]);
  const QString with = Text(argv[2]);
  if (find.isEmpty() || count == 0) return ResultText(ctx, s);
  QString out;
  out.reserve(s.size());
  qsizetype pos = 0;
  int64_t done = 0;
  for (;;) {
    qsizetype hit = (count < 0 || done < count) ? s.indexOf(find, pos, cs) : -1;
    if (hit < 0) break;
    out += QStringView(s).mid(pos, hit - pos);
    out += with;
    pos = hit + find.size();
    ++done;
  }
  out += QStringView(s).mid(pos);
  ResultText(ctx, out);
}

void FnSpace(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int64_t n;
  if (!IntArg(ctx, argv[0], &n)) return;
  if (n < 0 || n > 1'000'000) return Fail(ctx, kInvalidCall);
  ResultText(ctx, QString(n, u' '));
}

void FnString(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[1])) return sqlite3_result_null(ctx);
  int64_t n;
  if (!IntArg(ctx, argv[0], &n)) return;
  if (n < 0 || n > 1'000'000) return Fail(ctx, kInvalidCall);
  QChar c;
  if (IsNumericType(argv[1])) {
    c = QChar(static_cast<char16_t>(sqlite3_value_int64(argv[1]) & 0xFFFF));
  } else {
    QString s = Text(argv[1]);
    if (s.isEmpty()) return Fail(ctx, kInvalidCall);
    c = s[0];
  }
  ResultText(ctx, QString(n, c));
}

void FnAsc(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  QString s = Text(argv[0]);
  if (s.isEmpty()) return Fail(ctx, kInvalidCall);
  sqlite3_result_int(ctx, s[0].unicode());
}

void FnChr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  int64_t n;
  if (!IntArg(ctx, argv[0], &n)) return;
  if (n < -32768 || n > 65535) return Fail(ctx, kInvalidCall);
  ResultText(ctx, QString(QChar(static_cast<char16_t>(n & 0xFFFF))));
}

void FnStrComp(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  Qt::CaseSensitivity cs = Qt::CaseSensitive;
  if (argc > 2) {
    bool ok;
    cs = CompareMode(ctx, argv[2], &ok);
    if (!ok) return;
  }
  int c = QString::compare(Text(argv[0]), Text(argv[1]), cs);
  sqlite3_result_int(ctx, c < 0 ? -1 : (c > 0 ? 1 : 0));
}

void FnStrReverse(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  QString s = Text(argv[0]);
  std::reverse(s.begin(), s.end());
  ResultText(ctx, s);
}

// --- conversions ---

void FnVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  sqlite3_result_double(ctx, JetVal(Text(argv[0])));
}

template <int64_t Min, int64_t Max>
void FnCWhole(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  d = std::nearbyint(d);  // round half to even, as Jet's CLng and CInt do
  if (!(d >= static_cast<double>(Min) && d <= static_cast<double>(Max))) return Fail(ctx, kOverflow);
  sqlite3_result_int64(ctx, static_cast<int64_t>(d));
}

void FnCDbl(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, d);
}

void FnCSng(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (std::fabs(d) > std::numeric_limits<float>::max()) return Fail(ctx, kOverflow);
  sqlite3_result_double(ctx, static_cast<double>(static_cast<float>(d)));
}

void FnCCur(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, std::nearbyint(d * 10000.0) / 10000.0);
}

void FnCStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  ResultText(ctx, Text(argv[0]));
}

void FnCBool(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return Fail(ctx, kInvalidNull);
  if (!IsNumericType(argv[0])) {
    QString s = Text(argv[0]).trimmed();
    if (s.compare(u"True", Qt::CaseInsensitive) == 0) return sqlite3_result_int(ctx, -1);
    if (s.compare(u"False", Qt::CaseInsensitive) == 0) return sqlite3_result_int(ctx, 0);
  }
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_int(ctx, d != 0 ? -1 : 0);
}

void FnCDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  double d;
  if (!DateArg(ctx, argv[0], &d)) return;
  ResultSerial(ctx, d);
}

void FnCVDate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  FnCDate(ctx, argc, argv);
}

// --- numbers ---

template <double (*F)(double)>
void FnRound(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
    return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, F(d));
}
double Floor(double d) { return std::floor(d); }
double Trunc(double d) { return std::trunc(d); }

void FnAbs(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) {
    int64_t v = sqlite3_value_int64(argv[0]);
    if (v != std::numeric_limits<int64_t>::min()) return sqlite3_result_int64(ctx, v < 0 ? -v : v);
  }
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_double(ctx, std::fabs(d));
}

void FnSgn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  sqlite3_result_int(ctx, d > 0 ? 1 : (d < 0 ? -1 : 0));
}

void FnSqr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (d < 0) return Fail(ctx, kInvalidCall);
  sqlite3_result_double(ctx, std::sqrt(d));
}

void FnExp(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  double r = std::exp(d);
  if (std::isinf(r)) return Fail(ctx, kOverflow);
  sqlite3_result_double(ctx, r);
}

void FnLog(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (d <= 0) return Fail(ctx, kInvalidCall);
  sqlite3_result_double(ctx, std::log(d));
}

// Round(x[, digits]) rounds half to even, as Jet does.
void FnRoundTo(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  int64_t digits = 0;
  if (!NumberArg(ctx, argv[0], &d)) return;
  if (argc > 1 && !IntArg(ctx, argv[1], &digits)) return;
  if (digits < 0 || digits > 15) return Fail(ctx, kInvalidCall);
  if (digits == 0) return sqlite3_result_double(ctx, std::nearbyint(d));
  const double scale = std::pow(10.0, static_cast<double>(digits));
  sqlite3_result_double(ctx, std::nearbyint(d * scale) / scale);
}

void FnChoose(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  double d;
  if (!NumberArg(ctx, argv[0], &d)) return;
  int64_t i = static_cast<int64_t>(std::trunc(d));
  if (i < 1 || i >= argc) return sqlite3_result_null(ctx);
  sqlite3_result_value(ctx, argv[i]);
}

// Switch(cond1, value1, cond2, value2, ...): the value of the first true condition.
void FnSwitch(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (argc % 2 != 0) return Fail(ctx, kInvalidCall);
  for (int i = 0; i + 1 < argc; i += 2) {
    if (IsNull(argv[i])) continue;
    std::optional<double> c = ValueNumber(argv[i]);
    if (!c) return Fail(ctx, kTypeMismatch);
    if (*c != 0) return sqlite3_result_value(ctx, argv[i + 1]);
  }
  sqlite3_result_null(ctx);
}

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

void FnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  QString fmt = argc > 1 && !IsNull(argv[1]) ? Text(argv[1]) : QString();
  std::optional<QString> r = JetFormat(argv[0], fmt);
  if (!r) return Fail(ctx, kInvalidCall);
  ResultText(ctx, *r);
}

// --- aggregates ---

struct PickState {
  sqlite3_value* value;
  bool seen;
};

void FirstStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto* st = static_cast<PickState*>(sqlite3_aggregate_context(ctx, sizeof(PickState)));
  if (!st) return sqlite3_result_error_nomem(ctx);
  if (st->seen) return;
  st->value = sqlite3_value_dup(argv[0]);
  st->seen = true;
}

void LastStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto* st = static_cast<PickState*>(sqlite3_aggregate_context(ctx, sizeof(PickState)));
  if (!st) return sqlite3_result_error_nomem(ctx);
  sqlite3_value_free(st->value);
  st->value = sqlite3_value_dup(argv[0]);
  st->seen = true;
}

void PickFinal(sqlite3_context* ctx) {
  auto* st = static_cast<PickState*>(sqlite3_aggregate_context(ctx, 0));
  if (!st || !st->seen || !st->value) return sqlite3_result_null(ctx);
  sqlite3_result_value(ctx, st->value);
  sqlite3_value_free(st->value);
  st->value = nullptr;
}

constexpr int kMany = 127;  // SQLite's limit on function arguments

const JetFunction kFunctions[] = {
    // Operators: called by the emitter, not by name from Jet SQL.
    {nullptr, kSqlAdd, 2, 2, FnAdd, nullptr, true},
    {nullptr, kSqlConcat, 2, 2, FnConcat, nullptr, true},
    {nullptr, kSqlDivide, 2, 2, FnDiv, nullptr, true},
    {nullptr, kSqlIntDivide, 2, 2, FnIntDiv, nullptr, true},
    {nullptr, kSqlMod, 2, 2, FnMod, nullptr, true},
    {nullptr, kSqlPower, 2, 2, FnPow, nullptr, true},
    {nullptr, kSqlLike, 2, 2, FnLike, nullptr, true},
    {nullptr, kSqlXor, 2, 2, FnBitwise<XorOf>, nullptr, true},
    {nullptr, kSqlEqv, 2, 2, FnBitwise<EqvOf>, nullptr, true},
    {nullptr, kSqlImp, 2, 2, FnBitwise<ImpOf>, nullptr, true},
    // Text.
    {"MID", "jet_mid", 2, 3, FnMid, nullptr, true},
    {"LEFT", "jet_left", 2, 2, FnLeft, nullptr, true},
    {"RIGHT", "jet_right", 2, 2, FnRight, nullptr, true},
    {"LEN", "jet_len", 1, 1, FnLen, nullptr, true},
    {"INSTR", "jet_instr", 2, 4, FnInStr, nullptr, true},
    {"INSTRREV", "jet_instrrev", 2, 4, FnInStrRev, nullptr, true},
    {"TRIM", "jet_trim", 1, 1, FnTrim<true, true>, nullptr, true},
    {"LTRIM", "jet_ltrim", 1, 1, FnTrim<true, false>, nullptr, true},
    {"RTRIM", "jet_rtrim", 1, 1, FnTrim<false, true>, nullptr, true},
    {"UCASE", "jet_ucase", 1, 1, FnUCase, nullptr, true},
    {"LCASE", "jet_lcase", 1, 1, FnLCase, nullptr, true},
    {"REPLACE", "jet_replace", 3, 6, FnReplace, nullptr, true},
    {"SPACE", "jet_space", 1, 1, FnSpace, nullptr, true},
    {"STRING", "jet_string", 2, 2, FnString, nullptr, true},
    {"ASC", "jet_asc", 1, 1, FnAsc, nullptr, true},
    {"ASCW", "jet_asc", 1, 1, FnAsc, nullptr, true},
    {"CHR", "jet_chr", 1, 1, FnChr, nullptr, true},
    {"CHRW", "jet_chr", 1, 1, FnChr, nullptr, true},
    {"STRCOMP", "jet_strcomp", 2, 3, FnStrComp, nullptr, true},
    {"STRREVERSE", "jet_strreverse", 1, 1, FnStrReverse, nullptr, true},
    {"FORMAT", "jet_format", 1, 2, FnFormat, nullptr, true},
    // Conversions.
    {"VAL", "jet_val", 1, 1, FnVal, nullptr, true},
    {"CLNG", "jet_clng", 1, 1, FnCWhole<-2147483648LL, 2147483647LL>, nullptr, true},
    {"CINT", "jet_cint", 1, 1, FnCWhole<-32768, 32767>, nullptr, true},
    {"CBYTE", "jet_cbyte", 1, 1, FnCWhole<0, 255>, nullptr, true},
    {"CDBL", "jet_cdbl", 1, 1, FnCDbl, nullptr, true},
    {"CSNG", "jet_csng", 1, 1, FnCSng, nullptr, true},
    {"CCUR", "jet_ccur", 1, 1, FnCCur, nullptr, true},
    {"CSTR", "jet_cstr", 1, 1, FnCStr, nullptr, true},
    {"CBOOL", "jet_cbool", 1, 1, FnCBool, nullptr, true},
    {"CDATE", "jet_cdate", 1, 1, FnCDate, nullptr, true},
    {"CVDATE", "jet_cvdate", 1, 1, FnCVDate, nullptr, true},
    // Numbers.
    {"INT", "jet_int", 1, 1, FnRound<Floor>, nullptr, true},
    {"FIX", "jet_fix", 1, 1, FnRound<Trunc>, nullptr, true},
    {"ABS", "jet_abs", 1, 1, FnAbs, nullptr, true},
    {"SGN", "jet_sgn", 1, 1, FnSgn, nullptr, true},
    {"SQR", "jet_sqr", 1, 1, FnSqr, nullptr, true},
    {"EXP", "jet_exp", 1, 1, FnExp, nullptr, true},
    {"LOG", "jet_log", 1, 1, FnLog, nullptr, true},
    {"ROUND", "jet_round", 1, 2, FnRoundTo, nullptr, true},
    {"CHOOSE", "jet_choose", 2, kMany, FnChoose, nullptr, true},
    {"SWITCH", "jet_switch", 2, kMany, FnSwitch, nullptr, true},
    // Dates.
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
    // Aggregates.
    {"FIRST", "jet_first", 1, 1, FirstStep, PickFinal, true},
    {"LAST", "jet_last", 1, 1, LastStep, PickFinal, true},
};

}  // namespace

const JetFunction* FindJetFunction(QStringView upperName) {
  for (const JetFunction& f : kFunctions)
    if (f.jetName && upperName == QLatin1String(f.jetName)) return &f;
  return nullptr;
}

namespace {

int CompareText(void*, int bytesA, const void* a, int bytesB, const void* b) {
  const QStringView x(static_cast<const char16_t*>(a), bytesA / 2);
  const QStringView y(static_cast<const char16_t*>(b), bytesB / 2);
  return x.compare(y, Qt::CaseInsensitive);
}

}  // namespace

void RegisterJetFunctionsOn(sqlite3* db) {
  sqlite3_create_collation_v2(db, kSqlTextCollation, SQLITE_UTF16, nullptr, CompareText, nullptr);
  for (const JetFunction& f : kFunctions) {
    const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
    const int nArg = f.minArgs == f.maxArgs ? f.minArgs : -1;
    if (f.final)
      sqlite3_create_function_v2(db, f.sqlName, nArg, flags, nullptr, nullptr, f.scalar, f.final, nullptr);
    else
      sqlite3_create_function_v2(db, f.sqlName, nArg, flags, nullptr, f.scalar, nullptr, nullptr, nullptr);
  }
}

// --- LIKE ---

namespace {

struct LikeItem {
  enum Kind { Char, Any, Many, Set };
  explicit LikeItem(Kind k, char32_t ch = 0) : kind(k), c(ch) {}
  Kind kind;
  char32_t c;
  bool negate = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;  // Set: inclusive ranges, folded
};

char32_t Fold(char32_t c) { return QChar::toCaseFolded(c); }

std::vector<char32_t> Codepoints(QStringView s) {
  std::vector<char32_t> out;
  out.reserve(static_cast<size_t>(s.size()));
  for (qsizetype i = 0; i < s.size(); ++i) {
    char32_t c = s[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(s[i].unicode(), s[i + 1].unicode());
      ++i;
    }
    out.push_back(Fold(c));
  }
  return out;
}

std::vector<LikeItem> CompileLike(const std::vector<char32_t>& p) {
  std::vector<LikeItem> items;
  for (size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    if (c == U'%') {
      if (items.empty() || items.back().kind != LikeItem::Many) items.push_back(LikeItem(LikeItem::Many));
    } else if (c == U'_') {
      items.push_back(LikeItem(LikeItem::Any));
    } else if (c == U'[') {
      size_t close = i + 1;
      while (close < p.size() && p[close] != U']') ++close;
      if (close >= p.size()) {  // no closing bracket: a plain '['
        items.push_back(LikeItem(LikeItem::Char, c));
        continue;
      }
      LikeItem set(LikeItem::Set);
      size_t j = i + 1;
      if (j < close && p[j] == U'!') {
        set.negate = true;
        ++j;
      }
      for (; j < close; ++j) {
        if (j + 2 < close && p[j + 1] == U'-') {
          set.ranges.push_back({std::min(p[j], p[j + 2]), std::max(p[j], p[j + 2])});
          j += 2;
        } else {
          set.ranges.push_back({p[j], p[j]});
        }
      }
      if (set.ranges.empty() && !set.negate) {
        // "[]" matches nothing in Jet; treat it as the empty string
        i = close;
        continue;
      }
      items.push_back(std::move(set));
      i = close;
    } else {
      items.push_back(LikeItem(LikeItem::Char, c));
    }
  }
  return items;
}

bool ItemMatches(const LikeItem& it, char32_t c) {
  switch (it.kind) {
    case LikeItem::Char: return it.c == c;
    case LikeItem::Any: return true;
    case LikeItem::Set: {
      bool in = false;
      for (const auto& r : it.ranges)
        if (c >= r.first && c <= r.second) in = true;
      return in != it.negate;
    }
    case LikeItem::Many: return false;
  }
  return false;
}

}  // namespace

bool JetLikeMatch(QStringView value, QStringView pattern) {
  const std::vector<char32_t> s = Codepoints(value);
  const std::vector<LikeItem> p = CompileLike(Codepoints(pattern));
  // Greedy matching with one backtrack point per '%': linear in practice and
  // never recursive.
  size_t si = 0, pi = 0;
  size_t starP = SIZE_MAX, starS = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi].kind == LikeItem::Many) {
      starP = pi++;
      starS = si;
    } else if (pi < p.size() && ItemMatches(p[pi], s[si])) {
      ++pi;
      ++si;
    } else if (starP != SIZE_MAX) {
      pi = starP + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi].kind == LikeItem::Many) ++pi;
  return pi == p.size();
}

}  // namespace mt::engine
